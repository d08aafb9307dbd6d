// Writes a registry file with text values, for the demo's drives:
//   quillfen_make_hive nt|9x FILE [KEY NAME TEXT]...
// "nt" writes an NT hive (its keys below the hive's root, as SOFTWARE holds those of
// HKEY_LOCAL_MACHINE\Software); "9x" a Windows 95/98/Me SYSTEM.DAT (keys below
// HKEY_LOCAL_MACHINE). Each KEY NAME TEXT sets a REG_SZ value.
#include <cstdio>
#include <cstring>
#include <fstream>

#include "support/hive/NtHive.h"
#include "support/hive/Win9xRegistry.h"

int main(int argc, char** argv) {
  using namespace hivefixture;
  const bool nt = argc >= 3 && std::strcmp(argv[1], "nt") == 0;
  const bool win9x = argc >= 3 && std::strcmp(argv[1], "9x") == 0;
  if ((!nt && !win9x) || (argc - 3) % 3 != 0) {
    std::fprintf(stderr, "usage: %s nt|9x FILE [KEY NAME TEXT]...\n", argv[0]);
    return 2;
  }
  HiveKey root{nt ? "$$$PROTO.HIV" : "", {}, {}};  // the root's name in hives Windows makes
  for (int i = 3; i < argc; i += 3)
    root.At(argv[i]).Set(argv[i + 1], kRegSz, nt ? NtText(argv[i + 2]) : Win9xText(argv[i + 2]));
  const std::string bytes = nt ? WriteNtHive(root) : WriteWin9xRegistry(root);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  if (!out) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    return 1;
  }
  return 0;
}
