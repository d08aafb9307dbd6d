#include "system/posix/FolderChain.h"

#include <algorithm>

namespace PosixHost {

bool FolderChain::Holds(const struct stat& folder) {
  if (!known_) {
    known_ = true;
    // Every prefix of the path as written: "/", "/a", "/a/b", ... each followed through its
    // links, which is how the walk that reached this folder got here.
    std::vector<std::string> prefixes{"/"};
    for (std::size_t cut = native_.find('/', 1);; cut = native_.find('/', cut + 1)) {
      prefixes.push_back(cut == std::string::npos ? native_ : native_.substr(0, cut));
      if (cut == std::string::npos) break;
    }
    for (const std::string& prefix : prefixes) {
      struct stat info;
      if (stat(prefix.c_str(), &info) == 0) chain_.emplace_back(info.st_dev, info.st_ino);
    }
  }
  return std::find(chain_.begin(), chain_.end(), std::make_pair(folder.st_dev, folder.st_ino)) !=
         chain_.end();
}

}  // namespace PosixHost
