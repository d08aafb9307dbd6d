#include "system/posix/PosixPaths.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "system/WindowsApi.h"
#include "system/NativePath.h"
#include "system/posix/DriveTable.h"
#include "system/posix/PathResolve.h"

namespace PosixHost {
namespace {

std::string RealPath(const std::string& native) {
  char resolved[PATH_MAX];
  return realpath(native.c_str(), resolved) ? resolved : "";
}

// The part of `path` below `root`, or nullopt when `root` does not hold it.
std::optional<std::string> Below(const std::string& root, const std::string& path) {
  if (root == "/") return path.substr(1);
  if (path == root) return std::string();
  if (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
      path[root.size()] == '/')
    return path.substr(root.size() + 1);
  return std::nullopt;
}

// The Windows form of `path` through the drive with the longest root that holds it.
std::string ThroughDrives(const std::string& path, bool realRoots) {
  const Drive* best = nullptr;
  std::string rest;
  std::size_t bestLength = 0;
  for (const Drive& drive : *CurrentDrives()) {
    const std::string root = realRoots ? RealPath(drive.root) : drive.root;
    if (root.empty()) continue;
    auto below = Below(root, path);
    if (below && (!best || root.size() > bestLength)) {
      best = &drive;
      bestLength = root.size();
      rest = *below;
    }
  }
  if (!best) return "";
  std::string windows = std::string(1, best->letter) + ":\\";
  std::size_t pos = 0;
  while (pos < rest.size()) {
    std::size_t end = rest.find('/', pos);
    if (end == std::string::npos) end = rest.size();
    const std::string part = rest.substr(pos, end - pos);
    // A name holding "\" or ":" has no Windows spelling, so neither has the path.
    if (!IsWindowsName(part)) return "";
    if (pos > 0) windows += '\\';
    windows += part;
    pos = end + 1;
  }
  return windows;
}

}  // namespace

std::optional<std::string> ToNativePath(const std::string& windowsPath) {
  auto located = Locate(windowsPath);
  if (!located) return std::nullopt;
  return located->native;
}

std::string ToWindowsPath(const std::string& nativePath) {
  if (nativePath.empty() || nativePath.front() != '/') return "";
  const std::string lexical = NormalNative(nativePath);
  std::string windows = ThroughDrives(lexical, false);
  if (!windows.empty()) return windows;
  // The path may reach a drive through a link, or a drive's folder may itself be a link.
  const std::string real = RealPath(lexical);
  return real.empty() ? "" : ThroughDrives(real, true);
}

}  // namespace PosixHost

namespace WindowsApi {

std::string WindowsPathOf(const std::string& nativePath) {
  return PosixHost::ToWindowsPath(nativePath);
}

std::optional<std::string> NativePathOf(const std::string& windowsPath) {
  return PosixHost::ToNativePath(windowsPath);
}

std::string CurrentFolder() {
  char here[PATH_MAX];
  return getcwd(here, sizeof here) ? PosixHost::ToWindowsPath(here) : "";
}

}  // namespace WindowsApi
