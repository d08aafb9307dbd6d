#pragma once
// What a scan saved and what failed, as the engine's copy runs tell it.
#include <cstddef>
#include <deque>
#include <string>
#include <unordered_set>
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
  const std::deque<SavedFile>& Files() const { return files_; }
  const std::vector<Failure>& Failures() const { return failures_; }
  std::size_t FilesNotSaved() const;

 private:
  void ShowProgress(const std::string& path);

  // Finds an entry of files_ by its destination without regard to case, from the one copy of
  // the name that files_ holds: a scan of 200,000 files keeps no second copy of each.
  struct SameDestination {
    const std::deque<SavedFile>* files;
    std::size_t operator()(std::size_t entry) const;
    bool operator()(std::size_t a, std::size_t b) const;
  };

  Progress& progress_;
  std::deque<SavedFile> files_;  // grows without moving or doubling what it holds
  std::unordered_set<std::size_t, SameDestination, SameDestination> byDestination_{
      0, SameDestination{&files_}, SameDestination{&files_}};
  std::vector<Failure> failures_;
};

}  // namespace Cli
