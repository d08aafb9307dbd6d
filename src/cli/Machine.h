#pragma once
// The machine a scan sees, set up the way a user of the windows sets it: the scanned folder
// as a drive (ROOT as C: for the computer scan, D: for the drive scan, DIR as E:), DEST as F:,
// the registry (an export, or the registry files of ROOT's own Windows) and the Windows
// folder. Everything that would make the scan write under what it scans, or start from
// nothing, is refused here, before anything is written.
#include <optional>
#include <string>

#include "cli/CommandLine.h"
#include "cli/ReportTarget.h"

namespace Cli {

struct Machine {
  std::string scanned;        // the scanned folder in Windows form ("D:\")
  std::string scannedNative;  // and as the absolute Linux path it stands for
  std::string saveFolder;     // the save folder in Windows form ("F:\CVL_SAVE")
  bool saveToDest = false;    // whether DEST was given (its root is then "F:\")
  std::string windowsFolder;  // the drive scan's answer for a missing Windows folder, or empty
};

// The machine and the report's target (with --json), or the reason they cannot be set up (a
// usage or set-up error).
struct SetUpResult {
  std::optional<Machine> machine;
  std::string error;
  std::optional<ReportTarget> report;
};
SetUpResult SetUpMachine(const Request& request);

// Whether the computer scan has a Windows folder: --windir, or else WINNT or WINDOWS at the
// top of C:, which the host takes for its windir.
bool HasWindowsFolder();

// The Linux path of a path in Windows form; empty text when no drive holds it.
std::string NativeOf(const std::string& windowsPath);

}  // namespace Cli
