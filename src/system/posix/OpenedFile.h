#pragma once
// A regular file opened once for reading, so that what is judged is what is read: a name that
// is swapped between a check and an open (a FIFO, a device, a link to one) is never read.
#include <sys/stat.h>

#include <optional>
#include <string>

#include "system/posix/Handle.h"
#include "system/posix/Walk.h"

namespace PosixHost {

class OpenedFile {
 public:
  OpenedFile(Handle fd, const struct stat& info) : fd_(std::move(fd)), info_(info) {}

  int Descriptor() const { return fd_.get(); }
  const struct stat& Info() const { return info_; }  // fstat of the open descriptor

  // The bytes the file held when it was opened (at most its size then); nullopt when they
  // cannot be read.
  std::optional<std::string> ReadAll() const;

 private:
  Handle fd_;
  struct stat info_;
};

// The file at `native` (a path given by the user, not one on a drive), opened without following
// a final link and without waiting (opening a FIFO would block), when what was opened is a
// regular file of at most `largest` bytes that belongs to a disk, not to the running machine.
std::optional<OpenedFile> OpenRegularFile(const std::string& native, off_t largest);

// The regular file a walk reached (Walk.h), opened as judged, when it holds at most `largest`
// bytes.
std::optional<OpenedFile> OpenRegularFile(const Chain& chain, off_t largest);

}  // namespace PosixHost
