#include "system/WindowsApi.h"
#include "system/posix/PathResolve.h"

namespace WindowsApi {

// Device and inode stand in for the volume serial number and file index of Windows. Links are
// followed, so a folder reached through one is known for the folder it leads to.
std::optional<EntryId> EntryIdentity(const std::string& path) {
  const auto located = PosixHost::Locate(path);
  if (!located || !located->exists) return std::nullopt;
  const PosixHost::FileId id = located->chain.back().Id();
  return EntryId{static_cast<std::uint64_t>(id.device), static_cast<std::uint64_t>(id.inode)};
}

}  // namespace WindowsApi
