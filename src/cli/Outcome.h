#pragma once
// What one run of quillfen-scan came to: what it scanned and saved, what failed, what it
// was told, and the exit status that follows from these. The summary and the report both
// tell it.
#include <string>
#include <vector>

#include "cli/Machine.h"
#include "cli/Record.h"

namespace Cli {

struct Outcome {
  const char* scan = "";      // "computer", "drive" or "folder"
  const Machine* machine = nullptr;
  const Record* record = nullptr;
  std::vector<std::string> told;  // what the engine's boxes said that a person must read
  std::string refusal;            // why the scan ended before saving, naming the option
  int status = 0;
};

// 3 when a failure cost files, else 1 after a refusal or when nothing was saved, else 0.
int ExitStatusOf(const Record& record, bool refused);

// The save folder as a Linux path.
std::string SaveFolderNative(const Machine& machine);

// The summary on standard error; the drive and folder scans put its last line on standard
// output instead.
void WriteSummary(const Outcome& outcome, bool lastLineToStandardOutput);

}  // namespace Cli
