#include "system/posix/MountTable.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <mutex>
#include <string>

#include "system/posix/MountFields.h"

namespace PosixHost {
namespace {

constexpr const char* kMounts = "/proc/self/mounts";

}  // namespace

std::shared_ptr<const DriveList> DrivesOfMachine() {
  // Reading the table costs far more than a path lookup, so it is read again only when a poll
  // of the open table says the mounts changed (the kernel flags that with POLLPRI).
  static std::mutex guard;
  static int fd = -1;
  static std::shared_ptr<const DriveList> cached;
  std::lock_guard<std::mutex> lock(guard);

  if (fd < 0) fd = open(kMounts, O_RDONLY | O_CLOEXEC);
  bool changed = !cached;
  if (fd >= 0 && !changed) {
    pollfd watch{fd, POLLPRI, 0};
    changed = poll(&watch, 1, 0) > 0 && (watch.revents & (POLLPRI | POLLERR));
  }
  if (!changed) return cached;

  std::string text;
  if (fd < 0 || !ReadMountTable(fd, text)) text.clear();  // no table: the root drive alone
  cached = std::make_shared<const DriveList>(DrivesFromMounts(text));
  if (fd < 0) {
    auto result = cached;
    cached.reset();  // without a watch, read afresh next time
    return result;
  }
  return cached;
}

}  // namespace PosixHost
