#include "system/NativePath.h"

namespace PosixHost {

std::vector<std::string_view> NativeNames(std::string_view path) {
  std::vector<std::string_view> names;
  while (!path.empty()) {
    const std::size_t cut = path.find('/');
    const std::string_view name = path.substr(0, cut);
    if (!name.empty() && name != ".") names.push_back(name);
    path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
  }
  return names;
}

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
  std::vector<std::string_view> parts;
  for (std::string_view part : NativeNames(native)) {
    if (part != "..")
      parts.push_back(part);
    else if (!parts.empty())
      parts.pop_back();
  }
  std::string out;
  for (std::string_view part : parts) (out += '/') += part;
  return out.empty() ? "/" : out;
}

}  // namespace PosixHost
