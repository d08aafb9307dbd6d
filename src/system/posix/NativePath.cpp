#include "system/posix/NativePath.h"

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

}  // namespace PosixHost
