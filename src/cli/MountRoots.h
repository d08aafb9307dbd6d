#pragma once
// Where a mount's root lies in its file system, as the kernel's mount table of this process
// says: "/" for a whole file system, "/Disk1/Programme" for a bind mount of that folder.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Cli {

// The names from the file system's root to the root of the mount with this id (statx's
// stx_mnt_id); nullopt when the table cannot be read or holds no such mount.
std::optional<std::vector<std::string>> MountRootNames(std::uint64_t mountId);

}  // namespace Cli
