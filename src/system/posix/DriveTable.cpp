#include "system/posix/DriveTable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "system/HostSettings.h"
#include "system/posix/AsciiText.h"
#include "system/posix/MountTable.h"
#include "system/posix/MachineArea.h"
#include "system/NativePath.h"

namespace PosixHost {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The drives whose folders exist and are no part of the running machine's own areas, each with
// its real folder; the others are named in `problems`.
DriveList UsableDrives(DriveList drives, std::vector<std::string>& problems) {
  DriveList usable;
  for (Drive& drive : drives) {
    const std::string entry = "\"" + std::string(1, drive.letter) + "=" + drive.root + "\"";
    char resolved[PATH_MAX];
    struct stat info;
    const int fd = realpath(drive.root.c_str(), resolved)
                       ? open(resolved, O_PATH | O_DIRECTORY | O_CLOEXEC)
                       : -1;
    const bool folder = fd >= 0 && fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    const bool machine = folder && (IsMachineArea(resolved) || IsMachineEntry(fd, info));
    if (fd >= 0) close(fd);
    if (!folder) {
      problems.push_back(entry + " is not used: no such folder");
    } else if (machine) {
      problems.push_back(entry + " is not used: a folder of the running machine is no disk");
    } else {
      drive.real = resolved;
      usable.push_back(std::move(drive));
    }
  }
  return usable;
}

}  // namespace

DriveList ParseDriveList(std::string_view text, std::vector<std::string>& problems) {
  DriveList drives;
  while (!text.empty()) {
    const std::size_t cut = text.find(';');
    const std::string_view entry = text.substr(0, cut);
    text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
    if (Trimmed(entry).empty()) continue;  // "C=/a;;D=/b" or a final ";"
    const auto skip = [&](const char* why) {
      problems.push_back("\"" + std::string(entry) + "\" is not used: " + why);
    };

    const std::size_t equals = entry.find('=');
    std::string_view letterPart = entry.substr(0, equals == std::string_view::npos ? 0 : equals);
    if (letterPart.size() == 2 && letterPart[1] == ':') letterPart.remove_suffix(1);
    const std::string_view folder =
        equals == std::string_view::npos ? std::string_view() : entry.substr(equals + 1);
    const char letter = letterPart.size() == 1 ? UpperAscii(letterPart[0]) : '\0';
    if (letter < 'A' || letter > 'Z' || folder.empty() || folder.front() != '/') {
      skip("it is not a drive letter, \"=\" and an absolute folder, with no blanks around \"=\"");
    } else if (HasLetter(drives, letter)) {
      skip("its letter is given twice");
    } else {
      const std::string root = TidyNativeFolder(folder);
      drives.push_back({letter, root, root});
    }
  }
  SortByLetter(drives);
  return drives;
}

DriveList ParseDriveList(std::string_view text) {
  std::vector<std::string> ignored;
  return ParseDriveList(text, ignored);
}

std::shared_ptr<const DriveList> CurrentDrives() {
  const auto& told = HostSettings::Current().drives;
  if (!told) return DrivesOfMachine();
  const std::string& setting = *told;

  // Parsed once per distinct value (tests set another between cases), and said once.
  // While a named folder is missing, the table is looked at again on every call, so a disk
  // mounted after the program started still becomes its drive.
  static std::string cachedText;
  static DriveList named;
  static std::shared_ptr<const DriveList> cached;
  const bool fresh = !cached || cachedText != setting;
  if (!fresh && cached->size() == named.size()) return cached;
  std::vector<std::string> problems;
  if (fresh) {
    cachedText = setting;
    named = ParseDriveList(cachedText, problems);
  }
  cached = std::make_shared<const DriveList>(UsableDrives(named, problems));
  // A drive that silently went missing would look like an empty disk.
  if (fresh)
    for (const std::string& problem : problems)
      std::fprintf(stderr, "quillfen: QUILLFEN_DRIVES entry %s\n", problem.c_str());
  return cached;
}

std::optional<Drive> FindDrive(char letter) {
  const char wanted = UpperAscii(letter);
  for (const Drive& drive : *CurrentDrives())
    if (drive.letter == wanted) return drive;
  return std::nullopt;
}

std::optional<std::string> DriveRoot(char letter) {
  auto drive = FindDrive(letter);
  if (!drive) return std::nullopt;
  return drive->root;
}

}  // namespace PosixHost
