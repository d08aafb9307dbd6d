// CopyFile over POSIX files: written beside the target and renamed into place.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "system/WindowsApi.h"
#include "system/posix/Destination.h"
#include "system/posix/PathResolve.h"
#include "system/posix/PendingFile.h"
#include "system/posix/RunCache.h"

namespace PosixHost {
namespace {

bool CopyByReading(int in, int out) {
  std::vector<unsigned char> buffer(1 << 17);
  for (;;) {
    const ssize_t got = read(in, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!WriteAll(out, buffer.data(), static_cast<std::size_t>(got))) return false;
  }
}

// The kernel copies within the file system (sharing blocks where it can); where it cannot
// copy at all, the bytes go through a buffer. `size` is the source's size when it was opened:
// a copy that has reached it asks no more (a file that grows meanwhile is copied as it was
// then). A size of 0 proves nothing (some file systems say 0 for files that hold bytes), so
// such a file is read to its end.
bool CopyBytes(int in, int out, off_t size) {
  off_t done = 0;
  while (size == 0 || done < size) {
    const ssize_t copied = copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
    if (copied > 0) {
      done += copied;
      continue;
    }
    if (copied == 0) return done > 0 || CopyByReading(in, out);
    if (errno == EINTR) continue;
    const bool cannotHere = errno == EXDEV || errno == ENOSYS || errno == EINVAL ||
                            errno == EOPNOTSUPP || errno == EBADF || errno == EPERM;
    return done == 0 && cannotHere && CopyByReading(in, out);
  }
  return true;
}

// The copy is made with no wider permission for others than its source, which it may be sent
// away with, and always readable and writable by whoever saved it: a later save must be able
// to replace it. Windows would copy a read-only attribute, which would then refuse every later
// save into that folder. No execute bits: Windows has none, and the umask narrows it further.
mode_t CopyMode(const struct stat& source) { return 0600 | (source.st_mode & 0066); }

bool CopyOpened(int in, const struct stat& source, PendingFile& out) {
  if (!CopyBytes(in, out.Descriptor(), source.st_size)) return false;
  // The copy keeps the source's modification time, as CopyFile does; the age rule reads it.
  const timespec times[2] = {{0, UTIME_NOW}, source.st_mtim};
  return futimens(out.Descriptor(), times) == 0;
}

}  // namespace
}  // namespace PosixHost

namespace WindowsApi {

bool CopyFileReplacing(const std::string& source, const std::string& destination) {
  using namespace PosixHost;
  auto from = Locate(source);
  if (!from || !from->exists || !S_ISREG(from->info.st_mode)) return false;
  auto to = WritableDestination(destination);
  if (!to) return false;
  // Onto itself, however spelt (another case, a link, a second hard link): refused before
  // anything is opened, so the file is never harmed.
  if (to->existing && FileId::Of(*to->existing) == FileId::Of(from->info)) return false;

  // What is read is the regular file that was judged, whatever its name leads to now.
  struct stat opened;
  const Handle in = OpenForReading(from->chain, &opened);
  if (!in) {
    // Gone or changed since the run found it: the run forgets it, so that whoever asks next
    // finds what is there now.
    RunCache::ForgetFile(from->holder.Id(), from->name);
    return false;
  }
  PendingFile out;
  if (!out.Create(to->folder, to->name, CopyMode(opened)) || !CopyOpened(in.get(), opened, out) ||
      !out.Commit())
    return false;
  RunCache::DropFile(from->holder.Id(), from->name);
  return true;
}

}  // namespace WindowsApi
