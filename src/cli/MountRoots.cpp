#include "cli/MountRoots.h"

#include <fstream>
#include <sstream>

namespace Cli {
namespace {

// The table writes a blank, tab, newline and backslash in a name as "\ooo" (octal).
std::string Unescaped(const std::string& field) {
  auto octal = [&](std::size_t at) { return field[at] >= '0' && field[at] <= '7'; };
  std::string text;
  for (std::size_t at = 0; at < field.size(); ++at) {
    if (field[at] == '\\' && at + 4 <= field.size() && octal(at + 1) && octal(at + 2) &&
        octal(at + 3)) {
      text += static_cast<char>((field[at + 1] - '0') * 64 + (field[at + 2] - '0') * 8 +
                                (field[at + 3] - '0'));
      at += 3;
    } else {
      text += field[at];
    }
  }
  return text;
}

std::vector<std::string> Names(const std::string& path) {
  std::vector<std::string> names;
  std::istringstream parts(path);
  for (std::string name; std::getline(parts, name, '/');)
    if (!name.empty()) names.push_back(name);
  return names;
}

}  // namespace

std::optional<std::vector<std::string>> MountRootNames(std::uint64_t mountId) {
  // Each line: mount id, parent id, major:minor, root, mount point, ...
  std::ifstream table("/proc/self/mountinfo");
  for (std::string line; std::getline(table, line);) {
    std::istringstream fields(line);
    std::uint64_t id = 0;
    std::string parent, device, root;
    if (!(fields >> id >> parent >> device >> root)) continue;
    if (id == mountId) return Names(Unescaped(root));
  }
  return std::nullopt;
}

}  // namespace Cli
