#include "system/WindowsApi.h"
#include "system/posix/PathResolve.h"

namespace WindowsApi {

// Device and inode stand in for the volume serial number and file index of Windows. Links are
// followed, so a folder reached through one is known for the folder it leads to.
std::optional<EntryId> EntryIdentity(const std::string& path) {
  const auto located = PosixHost::Locate(path);
  if (!located || !located->exists) return std::nullopt;
  return EntryId{static_cast<std::uint64_t>(located->info.st_dev),
                 static_cast<std::uint64_t>(located->info.st_ino)};
}

}  // namespace WindowsApi
