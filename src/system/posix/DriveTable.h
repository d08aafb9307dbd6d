#pragma once
// The drive table: which POSIX folder each Windows drive letter stands for.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/posix/Drive.h"

namespace PosixHost {


// QUILLFEN_DRIVES text, "C=/srv/win98;D=/media/old": exactly these drives. Entries that are
// not a letter (an optional ":"), "=" and an absolute folder, with no blank around the "=",
// are passed over, and so is the second of two entries for one letter; each passed-over entry
// adds a line naming it to `problems`. Only the text is read, not the disk.
DriveList ParseDriveList(std::string_view text, std::vector<std::string>& problems);
DriveList ParseDriveList(std::string_view text);


// The table in force: the drives the host is told (HostSettings.h), else the mounts.
// A QUILLFEN_DRIVES entry that cannot be used (malformed, a letter given twice, no such folder,
// a folder of the running machine such as /proc) is left out with one warning on standard
// error that names it, once for each value of the variable.
std::shared_ptr<const DriveList> CurrentDrives();

// The drive a letter (either case) stands for.
std::optional<Drive> FindDrive(char letter);
// Its folder, as configured.
std::optional<std::string> DriveRoot(char letter);

}  // namespace PosixHost
