#pragma once
// A Windows drive letter and the POSIX folder it stands for.
#include <algorithm>
#include <string>
#include <vector>

namespace PosixHost {

struct Drive {
  char letter = 'C';  // upper case
  std::string root;   // absolute, without a final "/" (except "/" itself), as configured
  std::string real;   // the same folder without links: where what the drive reaches is judged
};
using DriveList = std::vector<Drive>;  // in letter order

inline bool HasLetter(const DriveList& drives, char letter) {
  return std::any_of(drives.begin(), drives.end(),
                     [letter](const Drive& drive) { return drive.letter == letter; });
}

inline void SortByLetter(DriveList& drives) {
  std::sort(drives.begin(), drives.end(),
            [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
}

}  // namespace PosixHost
