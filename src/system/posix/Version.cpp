// The version record of the POSIX host.
#include "system/HostSettings.h"
#include "system/WindowsApi.h"
#include "system/posix/RegistryVersion.h"
#include "system/posix/VersionText.h"

namespace WindowsApi {

bool QueryVersion(VersionRecord& record) {
  // A POSIX machine has no Windows version of its own: the variable says which one to be, or
  // else the registry of the Windows the host shows says which one it was.
  if (const auto& text = HostSettings::Current().version)
    return PosixHost::ParseVersionText(*text, record);
  return PosixHost::VersionFromRegistry(record);
}

}  // namespace WindowsApi
