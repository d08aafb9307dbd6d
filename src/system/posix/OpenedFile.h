#pragma once
// A regular file opened once for reading, so that what is judged is what is read: a name that
// is swapped between a check and an open (a FIFO, a device, a link to one) is never read.
#include <sys/stat.h>

#include <optional>
#include <string>

namespace PosixHost {

class OpenedFile {
 public:
  OpenedFile(int fd, const struct stat& info) : fd_(fd), info_(info) {}
  ~OpenedFile();
  OpenedFile(OpenedFile&& other) noexcept;
  OpenedFile& operator=(OpenedFile&&) = delete;
  OpenedFile(const OpenedFile&) = delete;

  int Descriptor() const { return fd_; }
  const struct stat& Info() const { return info_; }  // fstat of the open descriptor

  // The bytes the file held when it was opened (at most its size then); nullopt when they
  // cannot be read.
  std::optional<std::string> ReadAll() const;

 private:
  int fd_;
  struct stat info_;
};

// The file at `native`, opened without following a final link and without waiting (opening a
// FIFO would block), when what was opened is a regular file of at most `largest` bytes that
// belongs to a disk: files of a proc or sys kind of file system are the running machine's.
std::optional<OpenedFile> OpenRegularFile(const std::string& native, off_t largest);

}  // namespace PosixHost
