#include "system/posix/OpenedFile.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>

namespace PosixHost {
namespace {

bool OnMachineFileSystem(int fd) {
  struct statfs info;
  return fstatfs(fd, &info) != 0 || info.f_type == PROC_SUPER_MAGIC ||
         info.f_type == SYSFS_MAGIC;
}

}  // namespace

OpenedFile::~OpenedFile() {
  if (fd_ >= 0) close(fd_);
}

OpenedFile::OpenedFile(OpenedFile&& other) noexcept : fd_(other.fd_), info_(other.info_) {
  other.fd_ = -1;
}

std::optional<std::string> OpenedFile::ReadAll() const {
  std::string bytes(static_cast<std::size_t>(info_.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = pread(fd_, bytes.data() + done, bytes.size() - done,
                              static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;  // cut short since it was opened: what is there is all there is
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

std::optional<OpenedFile> OpenRegularFile(const std::string& native, off_t largest) {
  const int fd =
      open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > largest ||
      OnMachineFileSystem(fd)) {
    close(fd);
    return std::nullopt;
  }
  return OpenedFile(fd, info);
}

}  // namespace PosixHost
