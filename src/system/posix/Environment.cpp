#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "system/HostSettings.h"
#include "system/WindowsApi.h"
#include "system/WindowsFolderNames.h"
#include "system/posix/AsciiText.h"
#include "system/posix/PathResolve.h"

namespace PosixHost {
namespace {

// Linux has no windir of its own: the host's is the Windows folder at the top of the system
// drive C:, as the drive scan finds one, spelt as on disk ("C:\WINDOWS"). None there, none.
std::optional<std::string> WindowsFolderOfSystemDrive() {
  for (const char* name : WindowsFolderNames::kNames) {
    const auto located = Locate(std::string("C:\\") + name + "\\");
    if (located && located->exists && S_ISDIR(located->info.st_mode))
      return "C:\\" + located->name;
  }
  return std::nullopt;
}

}  // namespace
}  // namespace PosixHost

namespace WindowsApi {

std::optional<std::string> EnvironmentValue(const std::string& name) {
  // Linux has no windir: the host's is the one it is told, or that of the Windows on C:.
  if (PosixHost::SameIgnoringCase(name, "windir")) {
    if (const auto& told = HostSettings::Current().windir) return told;
    return PosixHost::WindowsFolderOfSystemDrive();
  }
  if (const char* value = std::getenv(name.c_str())) return std::string(value);
  // Windows names its variables without regard to case ("windir", "WINDIR"); POSIX does not,
  // so a name missed as spelt is looked for in any case.
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string_view text = *entry;
    const std::size_t equals = text.find('=');
    if (equals != std::string_view::npos &&
        PosixHost::SameIgnoringCase(text.substr(0, equals), name))
      return std::string(text.substr(equals + 1));
  }
  return std::nullopt;
}

}  // namespace WindowsApi
