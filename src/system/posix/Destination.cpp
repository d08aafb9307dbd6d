#include "system/posix/Destination.h"

#include "system/WindowsApi.h"
#include "system/posix/Attributes.h"
#include "system/posix/PathResolve.h"

namespace PosixHost {

std::optional<Destination> WritableDestination(const std::string& windowsPath) {
  auto placement = LocateParent(windowsPath);
  if (!placement) return std::nullopt;
  Destination destination;
  destination.folder = placement->folder.native;
  if (auto found = FindEntry(destination.folder, placement->name, false)) {
    const std::string native = JoinNative(destination.folder, found->name);
    if (S_ISDIR(found->info.st_mode)) return std::nullopt;
    if (AttributesOf(native, found->name, found->info) & WindowsApi::kAttrReadOnly)
      return std::nullopt;
    destination.name = found->name;
    destination.existing = found->info;
    return destination;
  }
  struct stat unseen;
  if (lstat(JoinNative(destination.folder, placement->name).c_str(), &unseen) == 0)
    return std::nullopt;
  destination.name = placement->name;
  return destination;
}

}  // namespace PosixHost
