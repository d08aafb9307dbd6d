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
  const std::string wanted = std::to_string(mountId);
  std::ifstream table("/proc/self/mountinfo");
  for (std::string line; std::getline(table, line);) {
    // Each line: mount id, parent id, major:minor, root, mount point, ...
    const auto fields = MountText::Fields(line);
    if (fields.size() > 3 && fields[0] == wanted) return Names(MountText::Decoded(fields[3]));
  }
  return std::nullopt;
}

}  // namespace Cli
