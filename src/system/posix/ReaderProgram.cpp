// Where the registry reader is. The build gives its place below an installation's prefix
// (QUILLFEN_READER_PATH, "libexec/quillfen/quillfen-read-hive"); the build tree has it at the
// same place below its top folder. So the reader is the one below the nearest folder above the
// running program that holds one: /usr for /usr/bin/quillfen, the build folder for a program
// anywhere in the build tree. No path of the build's machine is kept in the program.
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "system/posix/HiveReader.h"

namespace PosixHost {
namespace {

// Only what its owner (root, or the user running the program) alone may change is run:
// never a reader that someone else put in a shared folder such as /tmp.
bool Trusted(const std::string& path, bool program) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return false;
  const bool owned = info.st_uid == 0 || info.st_uid == geteuid();
  const bool kind = program ? S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR) : S_ISDIR(info.st_mode);
  return owned && kind && !(info.st_mode & S_IWOTH);
}

bool TrustedReader(const std::string& reader) {
  if (!Trusted(reader, true)) return false;
  // The folders it lies in below the prefix ("libexec/quillfen").
  std::string folder = reader;
  for (std::string_view below = QUILLFEN_READER_PATH; below.find('/') != std::string_view::npos;
       below.remove_prefix(below.find('/') + 1)) {
    folder.erase(folder.rfind('/'));
    if (!Trusted(folder, false)) return false;
  }
  return true;
}

}  // namespace

std::string ReaderFor(const std::string& program) {
  std::string folder = program;
  while (folder.size() > 1 && folder.find('/') != std::string::npos) {
    folder.erase(std::max<std::size_t>(folder.rfind('/'), 1));
    const std::string reader = (folder == "/" ? "" : folder) + "/" QUILLFEN_READER_PATH;
    if (TrustedReader(reader)) return reader;
  }
  return {};
}

const std::string& ReaderProgram() {
  static const std::string program = [] {
    char self[PATH_MAX];
    return realpath("/proc/self/exe", self) ? ReaderFor(self) : std::string();
  }();
  return program;
}

}  // namespace PosixHost
