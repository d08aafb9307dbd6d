#pragma once
// A Windows machine made of a temporary tree: drive S: (the tree's folder "c", the running
// system: Program Files in the registry, windir S:\WINDOWS, Windows XP) and drive T: (its folder
// "d", another disk), local time UTC, and scripted dialogs that answer OK and pick nothing
// unless told otherwise. Test fixtures derive from it beside ::testing::Test.
//
// On Windows the version is the machine's own (the test run sets its Wine prefix to Windows
// XP), and so is the time zone (the run sets UTC).
#include <string>
#include <vector>

#include "support/FakeDialogs.h"
#include "support/HostGuard.h"
#include "support/MachineRegistry.h"
#include "support/TempTree.h"

namespace testsupport {

class WindowsMachine {
 public:
  WindowsMachine();

  // The registry's "ProgramFilesDir" text (Windows form, unescaped).
  void SetProgramFilesDir(const std::string& value) { registry.SetText("ProgramFilesDir", value); }

  TempTree tree;
  TreeDrives drives{tree, TreeDrives::Layout::SystemAndOther};
  MachineRegistry registry{tree};
  HostGuard windir{HostGuard::Setting::Windir, "S:\\WINDOWS"};
  HostGuard winver{HostGuard::Setting::Version, "2.5.1:Service Pack 3"};
  EnvGuard tz{"TZ", "UTC"};
  FakeDialogs dialogs;
};

// A console's text with each line's time stamp (everything before its first " - ") replaced
// by "<t>"; a line without a time stamp keeps its bare " - " and so never matches "<t> - ...".
std::string MaskTimes(const std::string& console);
// Text split at its CR LF pairs; empty text has no lines.
std::vector<std::string> SplitLines(const std::string& text);
// Lines joined the way the console joins them (CR LF, none trailing).
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace testsupport
