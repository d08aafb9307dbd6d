// Windows 95 and 98 have no call that locks a folder, so the Win32 host holds nothing and a
// save goes on as it always has.
#include "system/WindowsApi.h"

namespace WindowsApi {

std::unique_ptr<FolderHold> HoldSaveFolder(const std::string&) {
  return std::make_unique<FolderHold>();
}

// A window program has no console interrupt; a save cut short leaves a temporary file that
// the next save into its folder sweeps away.
void RemoveTemporaryOnInterrupt() {}

}  // namespace WindowsApi
