#include "system/posix/PendingFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "system/posix/NameIndex.h"
#include "system/posix/PathResolve.h"

namespace PosixHost {

PendingFile::~PendingFile() { Abandon(); }

bool PendingFile::Create(const std::string& folder, const std::string& finalName, mode_t mode) {
  static std::atomic<unsigned> counter{0};
  Abandon();
  for (int attempt = 0; attempt < 100; ++attempt) {
    // A dot-name, so no listing of this host shows the half-written file.
    char name[64];
    std::snprintf(name, sizeof name, ".quillfen-%ld-%u.tmp", static_cast<long>(getpid()),
                  counter++);
    const std::string path = JoinNative(folder, name);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd >= 0) {
      fd_ = fd;
      folder_ = folder;
      temporary_ = path;
      final_ = finalName;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool PendingFile::Commit() {
  if (fd_ < 0) return false;
  const int fd = fd_;
  fd_ = -1;
  // close can report a write the file system could not complete (quota, network disks).
  if (close(fd) != 0 || rename(temporary_.c_str(), JoinNative(folder_, final_).c_str()) != 0) {
    unlink(temporary_.c_str());
    temporary_.clear();
    return false;
  }
  temporary_.clear();
  NoteCreated(folder_, final_);
  return true;
}

void PendingFile::Abandon() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t wrote = write(fd, data, size);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    data += wrote;
    size -= static_cast<std::size_t>(wrote);
  }
  return true;
}

}  // namespace PosixHost
