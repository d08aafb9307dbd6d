#pragma once
// A Windows machine over a temporary tree, seen through the POSIX host: drive C: (the running
// system: Program Files in the registry, windir C:\WINDOWS, Windows XP SP3) and drive D:
// (another disk), local time UTC. Files are laid out with TempTree paths ("c/WINDOWS/x").
#include <string>

#include "support/TempTree.h"

namespace qttest {

class TestMachine {
 public:
  TestMachine();

  // A file last changed in the middle of `year`.
  void Put(const std::string& relative, int year) const { tree.File(relative, "x", year); }
  // A Windows installation on C: whose scan saves something: one V3 inventory, one V4 file,
  // the V4 log.
  void InstallOldWindows() const;

  testsupport::TempTree tree;

 private:
  testsupport::EnvGuard drives_;
  testsupport::EnvGuard registry_;
  testsupport::EnvGuard windir_{"windir", "C:\\WINDOWS"};
  testsupport::EnvGuard winver_{"QUILLFEN_WINVER", "2.5.1:Service Pack 3"};
  testsupport::EnvGuard tz_{"TZ", "UTC"};
};

}  // namespace qttest
