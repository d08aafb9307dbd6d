#pragma once
// The scan tests' fixture: a Windows machine with a fake console, progress window and button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeScreen.h"
#include "support/WindowsMachine.h"

namespace scantest {

class ScanWorld : public ::testing::Test, protected testsupport::WindowsMachine {
 protected:
  // Runs the scan of this computer with the fixture's console, progress window and button;
  // returns the whole console with its time stamps masked. Every scan closes its window.
  std::string ScanLocal();

  testsupport::FakeTextBox console;
  testsupport::FakeWindow progress;
  testsupport::FakeShowable openButton;
};

using testsupport::MaskTimes;
inline std::string Lines(const std::vector<std::string>& lines) {
  return testsupport::JoinLines(lines);
}
// The README as it lies in the source tree (built into the test program).
std::string ReadmeSource();
// A file's bytes and modification time, to show that a file was left exactly as it was.
std::string Fingerprint(const testsupport::TempTree& tree, const std::string& relative);

}  // namespace scantest
