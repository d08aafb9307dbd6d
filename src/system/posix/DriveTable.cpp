#include "system/posix/DriveTable.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "system/posix/AsciiText.h"
#include "system/posix/MountTable.h"

namespace PosixHost {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool HasLetter(const DriveList& drives, char letter) {
  for (const Drive& drive : drives)
    if (drive.letter == letter) return true;
  return false;
}

void SortByLetter(DriveList& drives) {
  std::sort(drives.begin(), drives.end(),
            [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
}

// Windows kinds of file system an old disk may carry.
bool IsWindowsKind(std::string_view kind) {
  for (std::string_view known : {"vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk"})
    if (kind == known) return true;
  return false;
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// The mount table writes blanks, tabs, newlines and backslashes in a mount point as "\ooo".
std::string DecodeMountField(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) &&
        IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                               (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    std::size_t end = pos;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    if (end > pos) fields.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  return fields;
}

}  // namespace

std::string TidyNativeFolder(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out += c;
  }
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

DriveList ParseDriveList(std::string_view text) {
  DriveList drives;
  while (!text.empty()) {
    const std::size_t cut = text.find(';');
    std::string_view entry = text.substr(0, cut);
    text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);

    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view letterPart = Trimmed(entry.substr(0, equals));
    if (letterPart.size() == 2 && letterPart[1] == ':') letterPart.remove_suffix(1);
    const std::string_view folder = entry.substr(equals + 1);
    if (letterPart.size() != 1 || folder.empty() || folder.front() != '/') continue;
    const char letter = UpperAscii(letterPart[0]);
    if (letter < 'A' || letter > 'Z' || HasLetter(drives, letter)) continue;
    drives.push_back({letter, TidyNativeFolder(folder)});
  }
  SortByLetter(drives);
  return drives;
}

DriveList DrivesFromMounts(std::string_view mountsText) {
  DriveList drives{{'Z', "/"}};
  char next = 'C';
  while (!mountsText.empty()) {
    const std::size_t cut = mountsText.find('\n');
    const std::string_view line = mountsText.substr(0, cut);
    mountsText = cut == std::string_view::npos ? std::string_view() : mountsText.substr(cut + 1);

    const auto fields = Fields(line);
    if (fields.size() < 3 || !IsWindowsKind(fields[2])) continue;
    const std::string mountPoint = TidyNativeFolder(DecodeMountField(fields[1]));
    if (mountPoint.empty() || mountPoint.front() != '/') continue;
    // A folder mounted over twice is still one drive.
    bool known = false;
    for (const Drive& drive : drives) known = known || drive.root == mountPoint;
    if (known) continue;
    while (next <= 'Z' && HasLetter(drives, next)) ++next;
    if (next > 'Z') break;  // out of letters, as on Windows
    drives.push_back({next, mountPoint});
  }
  SortByLetter(drives);
  return drives;
}

std::shared_ptr<const DriveList> CurrentDrives() {
  const char* setting = std::getenv("QUILLFEN_DRIVES");
  if (!setting) return DrivesOfMachine();

  // Parsed once per distinct value; tests change the variable between cases.
  static std::mutex guard;
  static std::string cachedText;
  static std::shared_ptr<const DriveList> cached;
  std::lock_guard<std::mutex> lock(guard);
  if (!cached || cachedText != setting) {
    cachedText = setting;
    cached = std::make_shared<const DriveList>(ParseDriveList(cachedText));
  }
  return cached;
}

std::optional<std::string> DriveRoot(char letter) {
  const char wanted = UpperAscii(letter);
  for (const Drive& drive : *CurrentDrives())
    if (drive.letter == wanted) return drive.root;
  return std::nullopt;
}

}  // namespace PosixHost
