#pragma once
// The drive table: which POSIX folder each Windows drive letter stands for.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PosixHost {

struct Drive {
  char letter = 'C';  // upper case
  std::string root;   // absolute, without a final "/" (except "/" itself), as configured
  std::string real;   // the same folder without links: where what the drive reaches is judged
};
using DriveList = std::vector<Drive>;  // in letter order

// QUILLFEN_DRIVES text, "C=/srv/win98;D=/media/old": exactly these drives. Entries that are
// not a letter (an optional ":"), "=" and an absolute folder, with no blank around the "=",
// are passed over, and so is the second of two entries for one letter; each passed-over entry
// adds a line naming it to `problems`. Only the text is read, not the disk.
DriveList ParseDriveList(std::string_view text, std::vector<std::string>& problems);
DriveList ParseDriveList(std::string_view text);

// The machine's own drives from a mount table in /proc/self/mounts form: Z: is "/", and each
// file system of a Windows kind gets the next free letter from C:, in mount order.
DriveList DrivesFromMounts(std::string_view mountsText);

// The table in force: QUILLFEN_DRIVES when it is set (read on every call), else the mounts.
// A QUILLFEN_DRIVES entry that cannot be used (malformed, a letter given twice, no such folder,
// a folder of the running machine such as /proc) is left out with one warning on standard
// error that names it, once for each value of the variable.
std::shared_ptr<const DriveList> CurrentDrives();

// The drive a letter (either case) stands for.
std::optional<Drive> FindDrive(char letter);
// Its folder, as configured.
std::optional<std::string> DriveRoot(char letter);

// "/a//b/" -> "/a/b": the spelling the table and prefix matching rely on.
std::string TidyNativeFolder(std::string_view path);

}  // namespace PosixHost
