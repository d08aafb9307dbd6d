#include "system/HostSettings.h"

#include <cstdlib>

namespace HostSettings {
namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

std::optional<Settings>& Held() {
  static std::optional<Settings> held;
  return held;
}

}  // namespace

Settings FromEnvironment() {
  Settings settings;
  settings.drives = Variable("QUILLFEN_DRIVES");
  // An empty name names no file: the registry files are read, as without one.
  settings.registry = Variable("QUILLFEN_REGISTRY");
  if (settings.registry && settings.registry->empty()) settings.registry.reset();
  // Windows names its variables without regard to case.
  settings.windir = Variable("windir");
  if (!settings.windir) settings.windir = Variable("WINDIR");
  settings.version = Variable("QUILLFEN_WINVER");
  return settings;
}

void Use(const Settings& settings) { Held() = settings; }

const Settings& Current() {
  if (!Held()) Held() = FromEnvironment();
  return *Held();
}

}  // namespace HostSettings
