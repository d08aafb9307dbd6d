// Where the registry reader is: the build gives the path from bin/ to it as installed
// (QUILLFEN_READER_FROM_BINDIR), the build tree (QUILLFEN_BUILD_TREE) and its place there
// (QUILLFEN_READER_IN_TREE).
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include "system/posix/HiveReader.h"
#include "system/posix/Reach.h"

namespace PosixHost {
namespace {

std::string RealPath(const char* path) {
  char real[PATH_MAX];
  return realpath(path, real) ? std::string(real) : std::string();
}

std::string FindReader() {
  const std::string self = RealPath("/proc/self/exe");
  const std::string installed =
      self.substr(0, self.rfind('/') + 1) + QUILLFEN_READER_FROM_BINDIR;
  if (access(installed.c_str(), X_OK) == 0) return installed;
  // Only a program that lies in the build tree takes the reader from there: an installed one
  // never runs a program from a folder it does not come from.
  const std::string tree = RealPath(QUILLFEN_BUILD_TREE);
  if (!self.empty() && !tree.empty() && IsInside(self, tree))
    return tree + "/" + QUILLFEN_READER_IN_TREE;
  return installed;  // missing: said when it cannot be started
}

}  // namespace

const std::string& ReaderProgram() {
  static const std::string program = FindReader();
  return program;
}

}  // namespace PosixHost
