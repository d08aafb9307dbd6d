#pragma once
// What of the real file system a drive lets the engine reach.
//
// Windows never sees a symbolic link. Here a link is followed only while its target stays
// inside the real folder of the drive it lies on; on the drive that maps "/", which holds
// everything, only while its target stays inside the folder that holds the link, so that the
// scan or copy of a folder never reaches beyond it through a link. Nothing under /proc, /sys
// or /dev is ever reached, not even on the way to somewhere else: their files are the running
// machine's, not a disk's. A path that breaks these rules is "not there".
#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

#include "system/posix/DriveTable.h"

namespace PosixHost {

// Whether a path is `folder` or lies below it (both without a final "/", "/" excepted).
bool IsInside(std::string_view path, std::string_view folder);

// /proc, /sys, /dev and everything under them.
bool IsMachineArea(std::string_view realPath);

// `relative` (on-disk names joined by "/", empty for the root) below the drive: its real path
// and status when it exists and may be reached; nullopt otherwise.
struct Reached {
  std::string real;
  struct stat info {};
  bool linkFree = false;  // no link on the way: the path is its own real path
};
std::optional<Reached> ReachWithin(const Drive& drive, std::string_view relative);

// The real path a link named `name` in the real folder `folderReal` of the drive leads to,
// when it may be followed; nullopt otherwise.
std::optional<std::string> FollowLink(const Drive& drive, const std::string& folderReal,
                                      std::string_view name);

}  // namespace PosixHost
