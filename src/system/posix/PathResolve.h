#pragma once
// Finding a Windows path on the real file system: what it names, held open (Walk.h).
#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/posix/DriveTable.h"
#include "system/posix/PathText.h"
#include "system/posix/Walk.h"

namespace PosixHost {

// What a Windows path names on disk.
struct Located {
  std::string native;        // the POSIX path as written, each component spelt as on disk;
                             // components not found are kept as written
  bool exists = false;       // a regular file or a folder is there, and the drive reaches it
  bool isDriveRoot = false;
  struct stat info {};       // valid when exists: the entry's (a link's target's)
  std::string name;          // the last component as it is spelt on disk; empty for a root
  Drive drive;               // the drive the path lies on
  Chain chain;               // valid when exists: the drive's root down to the entry, held open
  Level holder;              // valid when exists and not a root: the folder that holds the
                             // last component (the link itself, when it was one)
  bool linked = false;       // the last component was a link
  std::vector<FileId> passed;  // valid when exists: the folders the path passes through as
                               // written (the root, and each component's folder or target)
  std::optional<std::uint32_t> attributes;  // every attribute bit, when a listing of this run
                                            // has read them already
};

// The path through the drive table; nullopt when the drive is unknown or a component holds
// a wildcard. A trailing separator asks for a folder.
std::optional<Located> Locate(const WindowsPath& path);
std::optional<Located> Locate(std::string_view windowsPath);

// The folder that would hold the path's last component, and that component as written:
// what the operations that create or replace an entry need. nullopt when the path has no
// last component, ends in a separator, holds a wildcard, or its folder does not exist.
struct Placement {
  Located folder;
  std::string name;
};
std::optional<Placement> LocateParent(std::string_view windowsPath);

}  // namespace PosixHost
