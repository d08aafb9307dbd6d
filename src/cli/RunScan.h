#pragma once
// One scan from the command line: the machine set up, the engine's questions answered, the
// scan run, then the report and the summary. Returns the exit status.
#include "cli/CommandLine.h"

namespace Cli {

int RunScan(const Request& request);

}  // namespace Cli
