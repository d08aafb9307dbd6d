#pragma once
// Sets one of what the host is told to show (system/HostSettings.h) for the life of the
// object, the way the program sets it, and puts the previous settings back. The Win32 host
// takes its windir from the environment, as Windows keeps it, so a windir is set there too.
#include <memory>

#include "support/TempTree.h"
#include "system/HostSettings.h"

namespace testsupport {

class HostGuard {
 public:
  enum class Setting { Drives, Registry, Windir, Version };
  // A null value: not set.
  HostGuard(Setting setting, const char* value);
  ~HostGuard();
  HostGuard(const HostGuard&) = delete;
  HostGuard& operator=(const HostGuard&) = delete;

 private:
  HostSettings::Settings previous_;
  std::unique_ptr<EnvGuard> environment_;
};

}  // namespace testsupport
