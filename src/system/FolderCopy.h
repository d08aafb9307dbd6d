#pragma once
// A folder copy as one step of a larger copy run (a scan's save): its failures go to the run,
// and no box is shown. FileTools::CopyFolder is the same copy on its own.
#include <string>

#include "system/CopyRun.h"

namespace FileTools {

bool CopyFolderInto(CopyRun& run, const std::string& source, const std::string& destination);
// The box CopyFolder shows when a copy did not succeed whole.
void TellCopyFolderFailed();

}  // namespace FileTools
