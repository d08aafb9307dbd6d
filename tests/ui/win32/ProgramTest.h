#pragma once
// The window tests' fixture: the test Windows machine (drives S: and T:, the registry, windir),
// its scripted dialogs readable from the test's thread, and the scan options put back after
// each test. A test starts the program itself (ProgramRun), which ends before the machine goes.
#include <gtest/gtest.h>

#include "LockedDialogs.h"
#include "ProgramRun.h"
#include "support/WindowsMachine.h"

namespace wintest {

class ProgramTest : public ::testing::Test, protected testsupport::WindowsMachine {
 protected:
  ProgramTest();
  ~ProgramTest() override;

  // Screen pixels of a length in twips, as the windows lay themselves out.
  static int Px(int twips);

  LockedDialogs seen{dialogs};
};

}  // namespace wintest
