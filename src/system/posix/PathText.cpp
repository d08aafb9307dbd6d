#include "system/posix/PathText.h"

#include "system/posix/AsciiText.h"

namespace PosixHost {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsForbidden(char c, bool wildcardsAllowed) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20) return true;
  switch (c) {
    case '\\': case '/': case ':': case '"': case '<': case '>': case '|':
      return true;
    case '*': case '?':
      return !wildcardsAllowed;
    default:
      return false;
  }
}

bool NameHasOnly(std::string_view name, bool wildcardsAllowed) {
  if (name.empty()) return false;
  for (char c : name)
    if (IsForbidden(c, wildcardsAllowed)) return false;
  return true;
}

}  // namespace

// Windows drops a name's trailing dots and blanks (below), so it cannot reach an entry whose
// name ends in one: such a name is no Windows name, or "a." would be read as "a".
bool IsWindowsName(std::string_view name) {
  return NameHasOnly(name, false) && name.back() != '.' && name.back() != ' ';
}

bool HasWildcards(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

std::optional<WindowsPath> ParseWindowsPath(std::string_view text) {
  if (text.size() < 2 || text[1] != ':') return std::nullopt;
  const char letter = UpperAscii(text[0]);
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  std::string_view rest = text.substr(2);
  // "C:name" is relative to a current folder on C:, which this host does not keep.
  if (!rest.empty() && !IsSeparator(rest.front())) return std::nullopt;

  WindowsPath path;
  path.drive = letter;
  std::size_t pos = 0;
  while (pos < rest.size()) {
    while (pos < rest.size() && IsSeparator(rest[pos])) ++pos;
    std::size_t end = pos;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    const std::string_view part = rest.substr(pos, end - pos);
    pos = end;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!path.parts.empty()) path.parts.pop_back();
      continue;
    }
    if (!NameHasOnly(part, true)) return std::nullopt;
    path.parts.emplace_back(part);
  }
  path.trailingSeparator = !path.parts.empty() && IsSeparator(rest.back());
  // A folder name ending in a dot or a blank ("a.\b", "...\b", "a.\") names nothing a listing
  // of this host shows, so no path passes through one; only a last component with no separator
  // after it is trimmed, below.
  const std::size_t folders = path.parts.size() - (path.trailingSeparator ? 0 : 1);
  for (std::size_t i = 0; i < folders && i < path.parts.size(); ++i) {
    const std::string& folder = path.parts[i];
    if (!HasWildcards(folder) && (folder.back() == '.' || folder.back() == ' ')) return std::nullopt;
  }
  // Win32 drops the trailing dots and blanks of a path's last component ("lead." is "lead"),
  // unless a separator follows it; a pattern keeps them, where "*." means "no extension".
  // A component left empty ("...") leaves the folder that holds it.
  if (!path.parts.empty() && !path.trailingSeparator && !HasWildcards(path.parts.back())) {
    std::string& last = path.parts.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
    if (last.empty()) {
      path.parts.pop_back();
      path.trailingSeparator = !path.parts.empty();
    }
  }
  return path;
}

}  // namespace PosixHost
