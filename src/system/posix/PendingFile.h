#pragma once
// A new file written under a hidden name beside its final one and renamed into place, so the
// final name only ever holds a whole file: a failure (full disk, vanished folder) leaves the
// older file untouched and removes the half-written one.
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "system/posix/Walk.h"

namespace PosixHost {

class PendingFile {
 public:
  PendingFile() = default;
  ~PendingFile();  // removes the temporary when it was not committed
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Makes the temporary in the open `folder` for `finalName`; `mode` before the umask.
  bool Create(const Level& folder, const std::string& finalName, mode_t mode);
  int Descriptor() const { return fd_; }
  // Closes the temporary and renames it over the final name, in the same folder.
  bool Commit();

 private:
  void Abandon();

  int fd_ = -1;
  Level folder_;
  std::string temporary_;
  std::string final_;
};

// SIGINT and SIGTERM first remove the temporary being written, then end the program as they
// ask.
void RemoveTemporaryOnInterrupts();

// Writes every byte, going on after interrupted and short writes.
bool WriteAll(int fd, const unsigned char* data, std::size_t size);

// Whether a name is one this host gives its files while they are written
// (".quillfen-<process>-<n>.tmp"). Listings leave them out.
bool IsPendingFileName(std::string_view name);

// Removes from an open folder the files of that naming whose process no longer runs: what a
// save that was cut short (killed, power lost) left behind. Each folder is swept once per run
// of the program, before the first file is written into it.
void SweepStalePendingFiles(const Level& folder);

}  // namespace PosixHost
