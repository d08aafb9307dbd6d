#pragma once
// The running machine's own files are no part of any disk: /proc, /sys, /dev, and whatever is
// mounted there. Nothing is ever read from them, whatever path, link or bind mount reaches
// them, so they are told apart by what an open entry lies on, not by its path.
#include <sys/stat.h>

#include <string_view>

namespace PosixHost {

// Whether an open entry lies in the machine's own areas: on a file system that only describes
// the running machine (proc, sysfs, devpts, cgroup, debugfs, ...), or on the device of any
// mount at or under /proc, /sys or /dev (a bind mount of /dev/shm elsewhere is still /dev/shm).
// `fd` may be an O_PATH descriptor; `info` is its status.
bool IsMachineEntry(int fd, const struct stat& info);

// The same for a configured folder's real path, by its text: /proc, /sys, /dev and below.
bool IsMachineArea(std::string_view realPath);

}  // namespace PosixHost
