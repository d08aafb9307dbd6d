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
  std::string root;   // absolute, without a final "/" (except "/" itself)
};
using DriveList = std::vector<Drive>;  // in letter order

// QUILLFEN_DRIVES text, "C=/srv/win98;D=/media/old": exactly these drives. Entries without a
// letter, an "=" and an absolute folder are passed over; a letter given twice keeps its first.
DriveList ParseDriveList(std::string_view text);

// The machine's own drives from a mount table in /proc/self/mounts form: Z: is "/", and each
// file system of a Windows kind gets the next free letter from C:, in mount order.
DriveList DrivesFromMounts(std::string_view mountsText);

// The table in force: QUILLFEN_DRIVES when it is set (read on every call), else the mounts.
std::shared_ptr<const DriveList> CurrentDrives();

// The folder a drive letter (either case) stands for.
std::optional<std::string> DriveRoot(char letter);

// "/a//b/" -> "/a/b": the spelling the table and prefix matching rely on.
std::string TidyNativeFolder(std::string_view path);

}  // namespace PosixHost
