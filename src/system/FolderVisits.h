#pragma once
// The folders a walk of a tree has entered, so that none is entered twice: a link back to an
// ancestor, or a copy whose destination lies inside its source, would otherwise never end.
#include <set>
#include <string>

#include "system/WindowsApi.h"

namespace FileTools {

class FolderVisits {
 public:
  // True the first time a folder is met, by what it is, not by its path; a folder that cannot
  // be identified counts as new.
  bool First(const std::string& folder) {
    const auto id = WindowsApi::EntryIdentity(folder);
    return !id || entered_.insert(*id).second;
  }

 private:
  std::set<WindowsApi::EntryId> entered_;
};

}  // namespace FileTools
