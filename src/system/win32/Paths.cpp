// On Windows a native path is the Windows path itself; only a path on a drive has one.
#include "system/WindowsApi.h"
#include "system/win32/Win32Host.h"

namespace Win32Host {
namespace {

bool OnADrive(const std::string& path) {
  return path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]) &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The full path (doubled separators, "." and ".." resolved) when it lies on a drive.
std::string FullPathOnADrive(const std::string& path) {
  if (path.empty()) return {};
  char full[MAX_PATH];
  char* namePart = nullptr;
  const DWORD size = GetFullPathNameA(path.c_str(), MAX_PATH, full, &namePart);
  if (size == 0 || size >= MAX_PATH) return {};
  const std::string result(full, size);
  return OnADrive(result) ? result : std::string();
}

}  // namespace
}  // namespace Win32Host

namespace WindowsApi {

std::string WindowsPathOf(const std::string& nativePath) {
  return Win32Host::FullPathOnADrive(nativePath);
}

std::optional<std::string> NativePathOf(const std::string& windowsPath) {
  std::string full = Win32Host::FullPathOnADrive(windowsPath);
  if (full.empty()) return std::nullopt;
  return full;
}

std::string CurrentFolder() {
  char here[MAX_PATH];
  const DWORD size = GetCurrentDirectoryA(MAX_PATH, here);
  if (size == 0 || size >= MAX_PATH) return {};
  const std::string folder(here, size);
  return Win32Host::FullPathOnADrive(folder);
}

}  // namespace WindowsApi
