// This computer's Program Files folder, as the registry of the running Windows names it.
#include "system/FileTools.h"
#include "system/WindowsTools.h"

namespace FileTools {

std::string GetProgramFilesDir() {
  WindowsApi::RegistryKey* key = nullptr;
  if (WindowsApi::OpenMachineKey("Software\\Microsoft\\Windows\\CurrentVersion", key) !=
      WindowsApi::kErrorSuccess) {
    return "(Error opening key)";
  }
  char buffer[260] = {};
  std::uint32_t size = sizeof buffer;
  std::uint32_t type = 0;
  const long result = WindowsApi::QueryKeyValue(key, "ProgramFilesDir", type, buffer, size);
  WindowsApi::CloseKey(key);
  if (result != WindowsApi::kErrorSuccess || type != WindowsApi::kRegSz) {
    return "(Failed to read value)";
  }
  return WindowsTools::TrimAtNull(std::string(buffer, sizeof buffer));
}

}  // namespace FileTools
