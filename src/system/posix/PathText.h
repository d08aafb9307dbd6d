#pragma once
// Windows path text taken apart: drive letter and components.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PosixHost {

struct WindowsPath {
  char drive = 'C';                // upper case
  std::vector<std::string> parts;  // components below the drive root
  bool trailingSeparator = false;  // the text ended in "\" or "/" after a component
};

// "C:\a\b", "c:/a//b\": "\" and "/" both separate, doubled separators count once, "." is
// dropped and ".." climbs (never above the root), as Windows normalises a full path. nullopt
// for text that is no drive-letter path or holds a character no Windows name may hold;
// "*" and "?" pass, the callers decide where wildcards may stand. The last component loses its
// trailing dots and blanks, as Win32 drops them, unless a separator follows or it is a pattern.
std::optional<WindowsPath> ParseWindowsPath(std::string_view text);

// True when a POSIX name can stand in a Windows path: not empty, without "\", "/", ":", "*",
// "?", '"', "<", ">", "|" or control characters, and not ending in "." or " ".
bool IsWindowsName(std::string_view name);

bool HasWildcards(std::string_view name);

}  // namespace PosixHost
