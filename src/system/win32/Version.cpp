#include <cstring>

#include "system/WindowsApi.h"
#include "system/win32/Win32Host.h"

namespace WindowsApi {

bool QueryVersion(VersionRecord& record) {
  OSVERSIONINFOA info;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;  // the 148-byte record every Windows knows
  static_assert(sizeof(OSVERSIONINFOA) == 148);
  if (!GetVersionExA(&info)) return false;
  record.majorVersion = info.dwMajorVersion;
  record.minorVersion = info.dwMinorVersion;
  record.buildNumber = info.dwBuildNumber;
  record.platformId = info.dwPlatformId;
  static_assert(sizeof record.csdVersion == sizeof info.szCSDVersion);
  std::memcpy(record.csdVersion, info.szCSDVersion, sizeof record.csdVersion);
  return true;
}

}  // namespace WindowsApi
