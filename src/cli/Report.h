#pragma once
// The JSON report of a run: each saved file with its source (Linux and Windows path), where
// it was saved, its size, modification time (UTC) and SHA-256; each failure; what the boxes
// said; the program's version and the exit status.
#include <string>

#include "cli/Outcome.h"
#include "cli/ReportTarget.h"

namespace Cli {

// Writes the report whole or not at all; returns why it could not, or empty text.
std::string WriteReport(const ReportTarget& target, const Outcome& outcome);

}  // namespace Cli
