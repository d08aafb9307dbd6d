#include "system/NativePath.h"

#include <vector>

namespace PosixHost {

std::string JoinNative(const std::string& folder, std::string_view name) {
  std::string joined = folder;
  if (joined.empty() || joined.back() != '/') joined += '/';
  joined += name;
  return joined;
}

std::string ParentOfNative(const std::string& native) {
  const std::size_t cut = native.rfind('/');
  return cut == 0 || cut == std::string::npos ? "/" : native.substr(0, cut);
}

bool IsInside(std::string_view path, std::string_view folder) {
  if (folder == "/") return !path.empty() && path.front() == '/';
  return path.substr(0, folder.size()) == folder &&
         (path.size() == folder.size() || path[folder.size()] == '/');
}

std::string TidyNativeFolder(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out += c;
  }
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string NormalNative(const std::string& native) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  while (pos < native.size()) {
    std::size_t end = native.find('/', pos);
    if (end == std::string::npos) end = native.size();
    const std::string part = native.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  return out.empty() ? "/" : out;
}

}  // namespace PosixHost
