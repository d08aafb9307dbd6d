#include "system/win32/Win32Host.h"

namespace Win32Host {

bool IsWindows9x() { return (GetVersion() & 0x80000000u) != 0; }

void QuietDriveErrors() {
  static const bool quiet = [] {
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS);
    return true;
  }();
  (void)quiet;
}

bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.size() < MAX_PATH && path.find_first_of("*?") == std::string::npos;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveRoot(const std::string& path) {
  return (path.size() == 2 || (path.size() == 3 && IsSeparator(path[2]))) && path[1] == ':';
}

std::string WithoutTrailingSeparators(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && IsSeparator(trimmed.back()) && !IsDriveRoot(trimmed))
    trimmed.pop_back();
  return trimmed;
}

std::string FolderOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

WindowsApi::LocalTime ToLocalTime(const FILETIME& time) {
  FILETIME local;
  SYSTEMTIME parts;
  WindowsApi::LocalTime out;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &parts)) return out;
  out.year = parts.wYear;
  out.month = parts.wMonth;
  out.day = parts.wDay;
  out.hour = parts.wHour;
  out.minute = parts.wMinute;
  out.second = parts.wSecond;
  return out;
}

}  // namespace Win32Host
