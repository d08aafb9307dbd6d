#pragma once
// Where a file is about to be written, and whether Windows would let it be written there.
#include <sys/stat.h>

#include <optional>
#include <string>

#include "system/posix/Walk.h"

namespace PosixHost {

struct Destination {
  Level folder;                         // the folder written into, held open
  std::string name;                     // the name to write: an existing entry's own spelling
  std::optional<struct stat> existing;  // the regular file that will be replaced
};

// nullopt when the path is malformed or its folder is missing, and when the name is taken by
// something that may not be replaced: a folder, a read-only file (Windows refuses to write
// over one), or an entry the engine cannot see (FIFO, device, dangling link), left alone.
std::optional<Destination> WritableDestination(const std::string& windowsPath);

}  // namespace PosixHost
