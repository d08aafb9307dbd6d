#pragma once
// A new file written under a temporary name beside its final one and then put in its place,
// so the final name only ever holds a whole file: a failure (full disk, locked file) leaves the
// older file untouched and removes the half-written one.
#include <optional>
#include <string>

namespace Win32Host {

// Where a file is about to be written, when Windows lets it be written there.
struct Destination {
  std::string folder;  // ends in a separator
  std::string name;    // an existing entry's own spelling, or the name asked for
  bool exists = false;
};
// nullopt when the path is unusable, its folder is missing, or the name is taken by something
// that may not be replaced: a folder, or a read-only file (checked here, before anything is
// written, rather than left to the replacing call).
std::optional<Destination> WritableDestination(const std::string& path);

class PendingFile {
 public:
  PendingFile() = default;
  ~PendingFile();  // removes the temporary when it was not committed
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Makes an empty temporary in the destination's folder, after sweeping the folder (once a
  // run). Its name has 19 characters: a folder whose path leaves less room than that below
  // MAX_PATH takes no new file.
  bool Create(const Destination& destination);
  const std::string& Path() const { return temporary_; }
  // Puts the temporary in place of the final name, replacing what is there.
  bool Commit();

 private:
  std::string temporary_;
  std::string final_;
};

// Whether a name is one this host gives its files while they are written: "~qf", the writing
// process's id in 8 hexadecimal digits and a count in 4, ".tmp". No other name is taken for
// one, so a file of the user's that merely starts with "~qf" stays what it is. Listings leave
// them out.
bool IsPendingFileName(const std::string& name);

// A new name of that naming for this process (the count goes on with each call).
std::string NextPendingFileName();

// Removes from a folder the files of that naming whose process no longer runs: what a save cut
// short (killed, power lost) left behind. A running process's file is left alone.
void SweepStalePendingFiles(const std::string& folder);
// The same sweep, once a run for each folder, before the first file is written into it.
void SweepBeforeFirstWrite(const std::string& folder);

}  // namespace Win32Host
