#include "cli/MountRoots.h"

#include <fstream>
#include <sstream>

#include "system/MountText.h"

namespace Cli {
namespace {

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
    if (id == mountId) return Names(MountText::Decoded(root));
  }
  return std::nullopt;
}

}  // namespace Cli
