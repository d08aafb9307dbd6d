#include <sys/stat.h>

#include "system/WindowsApi.h"
#include "system/posix/PosixPaths.h"

namespace WindowsApi {

// Device and inode stand in for the volume serial number and file index of Windows.
std::optional<EntryId> EntryIdentity(const std::string& path) {
  const auto native = PosixHost::ToNativePath(path);
  struct stat info;
  if (!native || stat(native->c_str(), &info) != 0) return std::nullopt;
  return EntryId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace WindowsApi
