// RegOpenKeyEx/RegQueryValueEx/RegCloseKey on HKEY_LOCAL_MACHINE.
#include "system/WindowsApi.h"
#include "system/win32/Win32Host.h"

namespace WindowsApi {

struct RegistryKey {
  HKEY handle;
};

long OpenMachineKey(const std::string& subKey, RegistryKey*& key) {
  key = nullptr;
  HKEY handle;
  const LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, &handle);
  if (result != ERROR_SUCCESS) return result;
  key = new RegistryKey{handle};
  return kErrorSuccess;
}

long QueryKeyValue(RegistryKey* key, const std::string& valueName, std::uint32_t& type,
                   char* buffer, std::uint32_t& size) {
  if (!key) return ERROR_INVALID_HANDLE;
  DWORD valueType = 0;
  DWORD valueSize = size;
  const LONG result = RegQueryValueExA(key->handle, valueName.c_str(), nullptr, &valueType,
                                       reinterpret_cast<BYTE*>(buffer), &valueSize);
  type = valueType;
  size = valueSize;
  return result;
}

void CloseKey(RegistryKey* key) {
  if (!key) return;
  RegCloseKey(key->handle);
  delete key;
}

}  // namespace WindowsApi
