#pragma once
// The folders a listed folder's path passes through, so that a listing can leave out a
// symbolic link that leads back into one of them: walking the tree then always ends.
#include <sys/stat.h>

#include <string>
#include <utility>
#include <vector>

namespace PosixHost {

class FolderChain {
 public:
  explicit FolderChain(std::string native) : native_(std::move(native)) {}
  // True when `folder` is the listed folder or one its path passes through.
  bool Holds(const struct stat& folder);

 private:
  std::string native_;
  bool known_ = false;  // the chain is read only when a linked folder turns up
  std::vector<std::pair<dev_t, ino_t>> chain_;
};

}  // namespace PosixHost
