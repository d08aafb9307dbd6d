#include "cli/MountRoots.h"

#include <fstream>

#include "system/MountText.h"
#include "system/NativePath.h"

namespace Cli {

std::optional<std::vector<std::string>> MountRootNames(std::uint64_t mountId) {
  const std::string wanted = std::to_string(mountId);
  std::ifstream table("/proc/self/mountinfo");
  for (std::string line; std::getline(table, line);) {
    // Each line: mount id, parent id, major:minor, root, mount point, ...
    const auto fields = MountText::Fields(line);
    if (fields.size() > 3 && fields[0] == wanted) {
      const std::string root = MountText::Decoded(fields[3]);
      const auto names = PosixHost::NativeNames(root);
      return std::vector<std::string>(names.begin(), names.end());
    }
  }
  return std::nullopt;
}

}  // namespace Cli
