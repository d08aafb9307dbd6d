#include "system/posix/MountTable.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <string>

#include "system/MountText.h"
#include "system/posix/MountFields.h"
#include "system/NativePath.h"

namespace PosixHost {
namespace {

constexpr const char* kMounts = "/proc/self/mounts";

// Windows kinds of file system an old disk may carry.
bool IsWindowsKind(std::string_view kind) {
  for (std::string_view known : {"vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk"})
    if (kind == known) return true;
  return false;
}

}  // namespace

std::shared_ptr<const DriveList> DrivesOfMachine() {
  // Reading the table costs far more than a path lookup, so it is read again only when a poll
  // of the open table says the mounts changed (the kernel flags that with POLLPRI).
  static int fd = -1;
  static std::shared_ptr<const DriveList> cached;

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

DriveList DrivesFromMounts(std::string_view mountsText) {
  DriveList drives{{'Z', "/", "/"}};
  char next = 'C';
  while (!mountsText.empty()) {
    const std::size_t cut = mountsText.find('\n');
    const std::string_view line = mountsText.substr(0, cut);
    mountsText = cut == std::string_view::npos ? std::string_view() : mountsText.substr(cut + 1);

    const auto fields = MountText::Fields(line);
    if (fields.size() < 3 || !IsWindowsKind(fields[2])) continue;
    const std::string mountPoint = TidyNativeFolder(MountText::Decoded(fields[1]));
    if (mountPoint.empty() || mountPoint.front() != '/') continue;
    // A folder mounted over twice is still one drive.
    bool known = false;
    for (const Drive& drive : drives) known = known || drive.root == mountPoint;
    if (known) continue;
    while (next <= 'Z' && HasLetter(drives, next)) ++next;
    if (next > 'Z') break;  // out of letters, as on Windows
    drives.push_back({next, mountPoint, mountPoint});
  }
  SortByLetter(drives);
  return drives;
}

}  // namespace PosixHost
