#pragma once
// Whether one folder lies inside another, decided on open folders by device and inode, never by
// comparing path text: a link, a bind mount, another spelling on a disk that ignores case, or
// ".." in a path all lead to the same answer as the plain path would.
#include <string>

#include "system/posix/Handle.h"

namespace Cli {

// quillfen-scan decides on open descriptors as the POSIX host does, held the same way.
using PosixHost::Handle;

// The folder a path names, links followed, opened for what the checks need (O_PATH): no
// permission to list it is asked for. Not valid (errno set) when it cannot be opened.
Handle OpenFolder(const std::string& path);

// Whether two open folders are one, however each was reached.
bool SameFolder(int one, int other);

enum class Placement { Outside, Inside, Unknown };
// Whether `inner` is `outer` or lies below it. Unknown when a step of the way cannot be told
// (a folder that cannot be opened, a bind mount of outer's disk that the mount table does
// not place).
Placement LiesWithin(int inner, int outer);

// Whether a folder is part of the running machine rather than of a disk: on a proc, sys or
// other kernel file system, or at or under /proc, /sys or /dev however it is reached.
bool InMachineArea(int folder);

}  // namespace Cli
