#pragma once
// Finding a Windows path on the real file system.
#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

#include "system/posix/DriveTable.h"
#include "system/posix/PathText.h"

namespace PosixHost {

// What a Windows path names on disk.
struct Located {
  std::string native;        // the POSIX path; components not found are kept as written
  bool exists = false;       // a regular file or a folder is there, and the drive reaches it
  bool isDriveRoot = false;
  struct stat info {};       // valid when exists
  std::string real;          // valid when exists: the path with every link resolved
  std::string name;          // the last component as it is spelt on disk; empty for a root
  Drive drive;               // the drive the path lies on
  bool linkFree = false;     // valid when exists: no link on the way
};

// Only regular files and folders exist for the engine; FIFOs, sockets and devices are
// never seen, so nothing ever blocks opening one.
inline bool IsFileOrFolder(const struct stat& info) {
  return S_ISREG(info.st_mode) || S_ISDIR(info.st_mode);
}

// folder + "/" + name, without doubling the "/" of the root.
std::string JoinNative(const std::string& folder, std::string_view name);
// The folder that holds an absolute native path; "/" for what lies at the top.
std::string ParentOfNative(const std::string& native);

// One name in a folder: exactly as written first (a single stat, so lookups stay flat in
// big folders), then without regard to ASCII case (a scan, only on a miss). `folderOnly`
// asks for a folder. The on-disk name and its status, or nullopt.
struct FoundEntry {
  std::string name;
  struct stat info {};
};
std::optional<FoundEntry> FindEntry(const std::string& folder, std::string_view name,
                                    bool folderOnly);

// The path through the drive table; nullopt when the drive is unknown or a component holds
// a wildcard. A trailing separator asks for a folder. What a link leads to exists only where
// the drive may reach it (Reach.h).
std::optional<Located> Locate(const WindowsPath& path);
std::optional<Located> Locate(std::string_view windowsPath);

// Forgets what Locate remembers that an entry made or removed in `folder` (native) may change;
// the host calls it whenever it makes or removes one.
void ForgetLocatedIn(const std::string& folder, const std::string& name);

// The folder that would hold the path's last component, and that component as written:
// what the operations that create or replace an entry need. nullopt when the path has no
// last component, ends in a separator, holds a wildcard, or its folder does not exist.
struct Placement {
  Located folder;
  std::string name;
};
std::optional<Placement> LocateParent(std::string_view windowsPath);

}  // namespace PosixHost
