#include "system/posix/Destination.h"

#include "system/WindowsApi.h"
#include "system/posix/Attributes.h"
#include "system/posix/PathResolve.h"

namespace PosixHost {

std::optional<Destination> WritableDestination(const std::string& windowsPath) {
  auto placement = LocateParent(windowsPath);
  if (!placement) return std::nullopt;
  const Located& folder = placement->folder;
  Destination destination;
  destination.folder = folder.chain.back();
  Chain entry = folder.chain;
  std::string spelled;
  switch (EntryAt(folder.drive, entry, placement->name, Want::Any, &spelled)) {
    case Found::Entered: {
      if (S_ISDIR(entry.back().info.st_mode)) return std::nullopt;
      DosAttributeReader dos(FsKindOf(entry.back().fd.get(), entry.back().info.st_dev));
      if (AttributesOf(PlaceOf(entry), spelled, entry.back().info, dos) &
          WindowsApi::kAttrReadOnly)
        return std::nullopt;
      destination.name = std::move(spelled);
      destination.existing = entry.back().info;
      return destination;
    }
    case Found::Refused:  // a FIFO, a device, a dangling link: left alone
      return std::nullopt;
    case Found::Missing:
      break;
  }
  destination.name = placement->name;
  return destination;
}

}  // namespace PosixHost
