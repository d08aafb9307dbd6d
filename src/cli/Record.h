#pragma once
// What a scan saved and what failed, as the engine's copy runs tell it.
#include <map>
#include <string>
#include <vector>

#include "cli/Progress.h"
#include "system/CopyRun.h"

namespace Cli {

struct SavedFile {
  std::string source;       // Windows form
  std::string destination;  // Windows form
};

struct Failure {
  std::string path;    // the file's source, or the folder (Windows form)
  std::string reason;  // as the user is told it
  bool file = false;   // a file not saved, or a folder that failed
  bool costsFiles = true;  // false for a folder that could not be removed
};

class Record final : public FileTools::CopyWatcher {
 public:
  explicit Record(Progress& progress) : progress_(progress) {}

  void Saved(const std::string& source, const std::string& destination) override;
  void NotSaved(const std::string& source, const std::string& failure) override;
  void Failed(const std::string& folder, const std::string& failure) override;

  // One entry for each file in the save folder this run wrote: a later copy to the same
  // place (the Windows folder's log after the V4 folder's) replaces the earlier one.
  const std::vector<SavedFile>& Files() const { return files_; }
  const std::vector<Failure>& Failures() const { return failures_; }
  std::size_t FilesNotSaved() const;

 private:
  void ShowProgress(const std::string& path);

  Progress& progress_;
  std::vector<SavedFile> files_;
  std::map<std::string, std::size_t> byDestination_;  // lower-case destination -> index
  std::vector<Failure> failures_;
};

}  // namespace Cli
