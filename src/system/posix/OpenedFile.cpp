#include "system/posix/OpenedFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "system/posix/MachineArea.h"

namespace PosixHost {
namespace {

std::optional<OpenedFile> Judged(Handle fd, off_t largest) {
  struct stat info;
  if (!fd || fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > largest ||
      IsMachineEntry(fd.get(), info))
    return std::nullopt;
  return OpenedFile(std::move(fd), info);
}

}  // namespace

std::optional<std::string> OpenedFile::ReadAll() const {
  std::string bytes(static_cast<std::size_t>(info_.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = pread(fd_.get(), bytes.data() + done, bytes.size() - done,
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
  return Judged(Handle::Adopt(open(native.c_str(),
                                   O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)),
                largest);
}

std::optional<OpenedFile> OpenRegularFile(const Chain& chain, off_t largest) {
  return Judged(OpenForReading(chain), largest);
}

}  // namespace PosixHost
