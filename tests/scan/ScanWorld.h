#pragma once
// A Windows machine for the scan tests, over a temporary tree seen through the POSIX host:
// drive C: (the running system, Program Files in the registry, windir C:\WINDOWS) and drive
// D: (another disk), local time UTC, and scripted dialogs that answer OK and pick nothing
// unless told otherwise.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeDialogs.h"
#include "support/FakeScreen.h"
#include "support/TempTree.h"

namespace scantest {

class ScanWorld : public ::testing::Test {
 protected:
  ScanWorld();

  // Writes the registry export with this "ProgramFilesDir" text (Windows form, unescaped).
  void SetProgramFilesDir(const std::string& value) const;

  // Runs the scan of this computer with the fixture's console, progress window and button;
  // returns the whole console with its time stamps masked. Every scan closes its window.
  std::string ScanLocal();

  testsupport::TempTree tree;
  testsupport::EnvGuard drives;
  testsupport::EnvGuard registry;
  testsupport::EnvGuard windir{"windir", "C:\\WINDOWS"};
  testsupport::EnvGuard winver{"QUILLFEN_WINVER", "2.5.1:Service Pack 3"};
  testsupport::EnvGuard tz{"TZ", "UTC"};
  testsupport::FakeDialogs dialogs;
  testsupport::FakeTextBox console;
  testsupport::FakeWindow progress;
  testsupport::FakeShowable openButton;
};

// The console with each line's time stamp (everything before its first " - ") replaced by
// "<t>"; a line without a time stamp keeps its bare " - " and so never matches "<t> - ...".
std::string MaskTimes(const std::string& console);
// Lines joined the way the console joins them (CR LF, none trailing).
std::string Lines(const std::vector<std::string>& lines);
// The README resource as it lies in the source tree.
std::string ReadmeSource();
// A file's bytes and modification time, to show that a file was left exactly as it was.
std::string Fingerprint(const testsupport::TempTree& tree, const std::string& relative);

}  // namespace scantest
