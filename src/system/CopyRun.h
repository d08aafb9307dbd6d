#pragma once
// One run of copies into a save folder: what it has written, and every failure on the way,
// each said once.
//
// Two different source files never land on one name in silence. Where the source file system
// tells case apart, one folder can hold files that Windows would take for one ("A.GNG" and
// "a.gng", or two folders "Cache" and "cache"): the first one copied in a run is kept, and
// each later one is refused and named. Files from different places that share a name keep
// the rule of every copy: the later replaces the earlier (the Windows folder's V4 log after
// the V4 folder's), as it replaces files left by an earlier run.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace FileTools {

class CopyRun {
 public:
  // Copies `source` to `destination`, replacing a file of that name. `shownAs` is how a
  // failure names the file. False (and a failure noted) when it is not saved.
  bool CopyFile(const std::string& source, const std::string& destination,
                const std::string& shownAs);
  // Makes one folder when it does not exist yet. False (and a failure noted) when it cannot.
  bool MakeFolder(const std::string& folder);
  // Notes a folder that exists but could not be listed.
  void CannotRead(const std::string& folder);

  // Files this run has copied.
  std::size_t Copied() const { return copied_; }
  // Whether a file copy of this run failed.
  bool CopyFailed() const { return copyFailed_; }
  // Every failure so far, in order, as the texts of FailureText.
  const std::vector<std::string>& Failures() const { return failures_; }

 private:
  // Lower-case destination -> the sources written there in this run.
  std::map<std::string, std::vector<std::string>> written_;
  std::vector<std::string> failures_;
  std::size_t copied_ = 0;
  bool copyFailed_ = false;
};

}  // namespace FileTools
