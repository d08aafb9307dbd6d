#pragma once
// What a listing shows, as one line of text a case can compare.
#include <string>
#include <vector>

#include "system/WindowsApi.h"

namespace testsupport {

// The names a listing of `pattern` gives, in its order, each followed by a blank.
inline std::string ListedNames(const std::string& pattern) {
  std::vector<WindowsApi::FindData> entries;
  WindowsApi::ListFolder(pattern, entries);
  std::string names;
  for (const auto& entry : entries) names += entry.name + " ";
  return names;
}

}  // namespace testsupport
