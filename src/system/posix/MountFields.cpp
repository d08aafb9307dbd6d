#include "system/posix/MountFields.h"

#include <unistd.h>

#include <cerrno>

namespace PosixHost {

bool ReadMountTable(int fd, std::string& text) {
  text.clear();
  if (lseek(fd, 0, SEEK_SET) != 0) return false;
  char chunk[8192];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    text.append(chunk, static_cast<std::size_t>(got));
  }
}

}  // namespace PosixHost
