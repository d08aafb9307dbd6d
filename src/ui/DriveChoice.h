#pragma once
// Which entry of a drive list starts selected: the drive that holds the current folder.
#include <string>
#include <vector>

namespace DriveChoice {

// The index of the entry for the drive of a Windows path ("c: [/srv]" for "C:\WINDOWS",
// letters compared without regard to case); -1 when no entry is for that drive or the path
// names none.
int IndexOfDrive(const std::vector<std::string>& entries, const std::string& windowsPath);

// The drive entries of the machine and the index of the current folder's drive.
struct Drives {
  std::vector<std::string> entries;
  int selected = -1;
};
Drives MachineDrives();

}  // namespace DriveChoice
