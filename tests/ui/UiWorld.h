#pragma once
// The window tests' fixture: a Windows machine and the test toolkit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestToolkit.h"
#include "support/WindowsMachine.h"

namespace uitest {

class UiWorld : public ::testing::Test, protected testsupport::WindowsMachine {
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

  TestToolkit tk;
};

}  // namespace uitest
