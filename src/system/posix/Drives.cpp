#include "system/WindowsApi.h"
#include "system/posix/AsciiText.h"
#include "system/posix/DriveTable.h"

namespace WindowsApi {

// "c: [/media/old]": the letter in lower case as Windows drive lists show it, then the
// folder the drive stands for.
std::vector<std::string> DriveEntries() {
  std::vector<std::string> entries;
  for (const PosixHost::Drive& drive : *PosixHost::CurrentDrives())
    entries.push_back(std::string(1, PosixHost::LowerAscii(drive.letter)) + ": [" + drive.root +
                      "]");
  return entries;
}

}  // namespace WindowsApi
