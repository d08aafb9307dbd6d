#include "system/posix/RegistryVersion.h"

#include <optional>
#include <string>

#include "system/posix/VersionText.h"

namespace PosixHost {
namespace {

// A text value as the 8-bit query gives it; nullopt when it cannot be read as one.
std::optional<std::string> TextValue(const std::string& keyPath, const std::string& name) {
  WindowsApi::RegistryKey* key = nullptr;
  if (WindowsApi::OpenMachineKey(keyPath, key) != WindowsApi::kErrorSuccess) return std::nullopt;
  char buffer[256] = {};
  std::uint32_t type = 0, size = sizeof buffer;
  const long result = WindowsApi::QueryKeyValue(key, name, type, buffer, size);
  WindowsApi::CloseKey(key);
  if (result != WindowsApi::kErrorSuccess || type != WindowsApi::kRegSz) return std::nullopt;
  const std::string text(buffer, size);
  return text.substr(0, text.find('\0'));
}

bool FromKey(std::uint32_t platform, const std::string& keyPath, const char* versionName,
             const char* servicePackName, WindowsApi::VersionRecord& record) {
  const auto version = TextValue(keyPath, versionName);
  const auto numbers = version ? DottedNumbers(*version, 2, 3) : std::nullopt;
  if (!numbers) return false;
  WindowsApi::VersionRecord found;
  found.platformId = platform;
  found.majorVersion = (*numbers)[0];
  found.minorVersion = (*numbers)[1];
  found.buildNumber = numbers->size() > 2 ? (*numbers)[2] : 0;
  SetServicePack(TextValue(keyPath, servicePackName).value_or(""), found);
  record = found;
  return true;
}

}  // namespace

bool VersionFromRegistry(WindowsApi::VersionRecord& record) {
  return FromKey(2, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion",
                 "CSDVersion", record) ||
         FromKey(1, "Software\\Microsoft\\Windows\\CurrentVersion", "VersionNumber",
                 "SubVersionNumber", record);
}

}  // namespace PosixHost
