#include <vector>

#include "system/WindowsApi.h"
#include "system/win32/Win32Host.h"

namespace WindowsApi {

std::optional<std::string> EnvironmentValue(const std::string& name) {
  std::vector<char> value(256);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD size = GetEnvironmentVariableA(name.c_str(), value.data(), value.size());
    // 0 is both "not set" and "set to empty text"; the error code tells them apart.
    if (size == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (size < value.size()) return std::string(value.data(), size);
    value.resize(size);  // too small: the size needed, its NUL included
  }
}

}  // namespace WindowsApi
