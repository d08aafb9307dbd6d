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
#include <unordered_map>
#include <string>
#include <vector>

#include "system/TextTools.h"

namespace FileTools {

// Told of each file a copy run saves and of each failure it notes, as they happen. The
// windows install none; a front end that keeps a record of what a scan saved does.
class CopyWatcher {
 public:
  virtual ~CopyWatcher() = default;
  virtual void Saved(const std::string& source, const std::string& destination) = 0;
  // A file not saved, and the failure as the user is told it.
  virtual void NotSaved(const std::string& source, const std::string& failure) = 0;
  // A folder that could not be made, read or removed, a file whose date could not be read or
  // an old file that could not be replaced, and the failure as told.
  virtual void Failed(const std::string& path, const std::string& failure) = 0;
};

// Installs a watcher for every copy run during the life of this object, then puts the
// previous one back.
class WatchCopies {
 public:
  explicit WatchCopies(CopyWatcher& watcher);
  ~WatchCopies();
  WatchCopies(const WatchCopies&) = delete;
  WatchCopies& operator=(const WatchCopies&) = delete;

 private:
  CopyWatcher* previous_;
};

class CopyRun {
 public:
  // Copies `source` to `destination`, replacing a file of that name. `shownAs` is how a
  // failure names the file. False (and a failure noted) when it is not saved; a source that
  // has gone since it was found is, with IfGone::Skip, passed over without a word.
  enum class IfGone { Fail, Skip };
  bool CopyFile(const std::string& source, const std::string& destination,
                const std::string& shownAs, IfGone ifGone = IfGone::Fail);
  // Makes one folder when it does not exist yet. False (and a failure noted) when it cannot.
  // `copyOf` names the folder the new one copies, whose access it keeps (WindowsApi.h).
  bool MakeFolder(const std::string& folder, const std::string& copyOf = {});
  // Removes an empty folder. False (and a failure noted) when it cannot.
  bool RemoveFolder(const std::string& folder);
  // Notes a folder that exists but could not be listed: a failure to read.
  void CannotRead(const std::string& folder);
  // Notes a file that is there but whose date could not be read, so that it cannot be told
  // old from too new (`shownAs` names it): a failure to read.
  void CannotDate(const std::string& shownAs);
  // Notes an older file left in the save folder because it could not be replaced.
  void CannotReplace(const std::string& file);
  // Notes a save folder that another save held for longer than a save waits: nothing saved.
  void InUse(const std::string& saveFolder);

  // Whether a folder holds files: by its listing, or where that fails (a folder that can be
  // written but not listed) by what this run wrote into it. Only files directly in it count
  // unless `recurse`.
  bool HoldsFiles(const std::string& folder, bool recurse) const;

  // Files this run has copied.
  std::size_t Copied() const { return copied_; }
  // Whether a file copy of this run failed.
  bool CopyFailed() const { return copyFailed_; }
  // Every failure so far, in order, as the texts of FailureText; each one once.
  const std::vector<std::string>& Failures() const { return failures_; }
  // The failures to read what was to be saved (folders not listed, dates not read), and all
  // the others (what was not made, copied, replaced or removed), each in order.
  const std::vector<std::string>& ReadFailures() const { return readFailures_; }
  const std::vector<std::string>& SaveFailures() const { return saveFailures_; }

 private:
  bool NotSaved(const std::string& source, const std::string& failure);
  // Notes a failure once: the same failure met again in the run is not told again.
  void Failed(const std::string& path, const std::string& failure, bool reading);
  bool Noted(const std::string& failure) const;

  // The sources this run wrote to one destination: nearly always one, kept without a list.
  struct Sources {
    std::string first;
    std::vector<std::string> more;
    // Whether `source` differs from one of them in case alone.
    bool TwinOf(const std::string& source) const;
    void Add(const std::string& source);
  };
  // Destination, as first written -> its sources; a destination only once a copy reached it.
  // Destinations compare as Windows compares names, without regard to case.
  std::unordered_map<std::string, Sources, TextTools::CaseBlind, TextTools::CaseBlind> written_;
  std::vector<std::string> failures_;
  std::vector<std::string> readFailures_;
  std::vector<std::string> saveFailures_;
  std::size_t copied_ = 0;
  bool copyFailed_ = false;
};

}  // namespace FileTools
