#pragma once
// What a file or folder is, whatever name or path reaches it: its device and inode.
#include <sys/stat.h>

namespace PosixHost {

struct FileId {
  dev_t device = 0;
  ino_t inode = 0;

  static FileId Of(const struct stat& info) { return {info.st_dev, info.st_ino}; }
  bool operator==(const FileId&) const = default;
  auto operator<=>(const FileId&) const = default;
};

}  // namespace PosixHost
