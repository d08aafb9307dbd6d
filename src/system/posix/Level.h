#pragma once
// One folder or file of a walk (Walk.h), held open, and the chain of them from a drive's root.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "system/posix/FileId.h"
#include "system/posix/Handle.h"

namespace PosixHost {

// One folder or file, held open (O_PATH).
struct Level {
  Handle fd;
  std::string name;  // its name in the level above, as spelt on disk; empty for a drive root
  struct stat info {};
  FileId Id() const { return FileId::Of(info); }
};
// From a drive's root folder down to an entry: each level the real folder of the next.
using Chain = std::vector<Level>;

}  // namespace PosixHost
