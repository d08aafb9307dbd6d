#pragma once
// The windows over a Windows machine made of a temporary tree, seen through the POSIX host:
// drive C: (the running system: Program Files in the registry, windir C:\WINDOWS) and
// drive D: (another disk), local time UTC, scripted dialogs and the test toolkit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestToolkit.h"
#include "support/FakeDialogs.h"
#include "support/TempTree.h"

namespace uitest {

class UiWorld : public ::testing::Test {
 protected:
  UiWorld();
  // The scan options are program-wide: leave them as start-up sets them.
  ~UiWorld() override;

  // A file on drive C: or D: ("c/Program Files/WindowsUpdate/a.w98"), last changed in `year`.
  void Put(const std::string& relative, int year) const { tree.File(relative, "x", year); }
  // The local scan window's console, one entry per line, each time stamp shown as "<t>".
  std::vector<std::string> ConsoleLines() const;
  // Starts the program and goes to the local scan window.
  void OpenLocalScan();

  testsupport::TempTree tree;
  testsupport::EnvGuard drives;
  testsupport::EnvGuard registry;
  testsupport::EnvGuard windir{"windir", "C:\\WINDOWS"};
  testsupport::EnvGuard winver{"QUILLFEN_WINVER", "2.5.1:Service Pack 3"};
  testsupport::EnvGuard tz{"TZ", "UTC"};
  testsupport::FakeDialogs dialogs;
  TestToolkit tk;
};

}  // namespace uitest
