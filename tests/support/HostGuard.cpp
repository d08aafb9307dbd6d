#include "support/HostGuard.h"

namespace testsupport {

HostGuard::HostGuard(Setting setting, const char* value) : previous_(HostSettings::Current()) {
  HostSettings::Settings settings = previous_;
  std::optional<std::string> given;
  if (value) given = value;
  switch (setting) {
    case Setting::Drives: settings.drives = given; break;
    case Setting::Registry: settings.registry = given; break;
    case Setting::Windir:
      settings.windir = given;
      environment_ = std::make_unique<EnvGuard>("windir", value);
      break;
    case Setting::Version: settings.version = given; break;
  }
  HostSettings::Use(settings);
}

HostGuard::~HostGuard() { HostSettings::Use(previous_); }

}  // namespace testsupport
