#pragma once
// Where the JSON report goes, checked before the scan starts: an existing regular file or a new
// name in an existing folder; never a FIFO, device, socket, folder or link, never in the
// running machine's own folders, and never inside what is scanned or inside the save folder.
// Its folder is opened once; the report is written beside its name there and renamed into
// place, always relative to that folder.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "cli/SaveTarget.h"

namespace Cli {

class ReportTarget {
 public:
  // The target `path` (as given) names, or nullopt and why not in `problem`.
  static std::optional<ReportTarget> Open(const std::string& path, const Folders& folders,
                                          std::string& problem);
  // Writes what `produce` puts into the file it is given (false: it could not), whole or
  // not at all; returns why it could not, or empty text.
  std::string Write(const std::function<bool(std::FILE*)>& produce) const;

 private:
  ReportTarget(std::string path, Handle folder, std::string name)
      : path_(std::move(path)), folder_(std::move(folder)), name_(std::move(name)) {}

  std::string path_;
  Handle folder_;
  std::string name_;
};

}  // namespace Cli
