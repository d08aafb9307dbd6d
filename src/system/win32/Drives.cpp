#include <vector>

#include "system/WindowsApi.h"
#include "system/win32/Win32Host.h"

namespace WindowsApi {

// As a drive list box shows them: the letter in lower case, then the volume label in brackets
// when there is one ("c: [OLD_DISK]"). A floppy drive is never asked for its label: that would
// make it seek, or wait for a disk.
std::vector<std::string> DriveEntries() {
  Win32Host::QuietDriveErrors();
  std::vector<std::string> entries;
  char roots[4 * 26 + 1] = {};
  const DWORD size = GetLogicalDriveStringsA(sizeof roots, roots);
  if (size == 0 || size >= sizeof roots) return entries;
  for (const char* root = roots; *root; root += lstrlenA(root) + 1) {
    const char letter = root[0] >= 'A' && root[0] <= 'Z' ? static_cast<char>(root[0] + 32) : root[0];
    std::string entry = {letter, ':'};
    char label[MAX_PATH] = {};
    if (GetDriveTypeA(root) != DRIVE_REMOVABLE &&
        GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) &&
        label[0] != '\0')
      entry += std::string(" [") + label + "]";
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace WindowsApi
