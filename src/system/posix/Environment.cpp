#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "system/WindowsApi.h"
#include "system/posix/AsciiText.h"

namespace WindowsApi {

std::optional<std::string> EnvironmentValue(const std::string& name) {
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
