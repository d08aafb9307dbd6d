#include "system/posix/PendingFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <tuple>

#include "system/WindowsApi.h"
#include "system/posix/NameIndex.h"
#include "system/posix/RunCache.h"

namespace PosixHost {
namespace {

// The temporary being written, for an interrupt to remove before the program ends. Only the
// signal handler reads it: `set` is cleared before the rest changes and set after.
struct InFlight {
  volatile sig_atomic_t set = 0;
  int folder = -1;
  char name[64] = {};
};
InFlight inFlight;

void NoteInFlight(int folder, const char* name) {
  inFlight.set = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  inFlight.folder = folder;
  std::snprintf(inFlight.name, sizeof inFlight.name, "%s", name);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  inFlight.set = 1;
}

void ClearInFlight() { inFlight.set = 0; }

// The process number in the names of its temporaries, asked once (and again in a child after
// fork, which has its own).
pid_t ThisProcess() {
  static pid_t known = [] {
    pthread_atfork(nullptr, nullptr, [] { known = 0; });
    return getpid();
  }();
  if (known == 0) known = getpid();
  return known;
}

extern "C" void RemoveInFlight(int signal) {
  if (inFlight.set) unlinkat(inFlight.folder, inFlight.name, 0);
  // The handler was reset as it ran: raised again, the signal ends the program as it asks.
  raise(signal);
}

}  // namespace

PendingFile::~PendingFile() { Abandon(); }

bool PendingFile::Create(const Level& folder, const std::string& finalName, mode_t mode) {
  static unsigned counter = 0;
  Abandon();
  SweepStalePendingFiles(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    // A dot-name, so no listing of this host shows the half-written file.
    char name[64];
    std::snprintf(name, sizeof name, ".quillfen-%ld-%u.tmp", static_cast<long>(ThisProcess()),
                  counter++);
    // Noted before it exists: an interrupt the moment it is made still finds it.
    NoteInFlight(folder.fd.get(), name);
    const int fd = openat(folder.fd.get(), name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                          mode);
    if (fd >= 0) {
      fd_ = fd;
      folder_ = folder;
      temporary_ = name;
      final_ = finalName;
      return true;
    }
    ClearInFlight();
    if (errno != EEXIST) return false;
  }
  return false;
}

bool PendingFile::Commit() {
  if (fd_ < 0) return false;
  const int fd = fd_;
  fd_ = -1;
  const int at = folder_.fd.get();
  // close can report a write the file system could not complete (quota, network disks).
  if (close(fd) != 0 || renameat(at, temporary_.c_str(), at, final_.c_str()) != 0) {
    unlinkat(at, temporary_.c_str(), 0);
    ClearInFlight();
    temporary_.clear();
    return false;
  }
  ClearInFlight();
  temporary_.clear();
  NoteCreated(folder_, final_);
  return true;
}

void PendingFile::Abandon() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlinkat(folder_.fd.get(), temporary_.c_str(), 0);
  if (!temporary_.empty()) ClearInFlight();
  temporary_.clear();
}

namespace {

constexpr std::string_view kPrefix = ".quillfen-";
constexpr std::string_view kSuffix = ".tmp";

bool AllDigits(std::string_view text) {
  return !text.empty() && text.size() <= 10 &&
         text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process number in a pending file's name, or 0 when the name is not of that form.
long PendingProcess(std::string_view name) {
  if (name.size() <= kPrefix.size() + kSuffix.size() || name.substr(0, kPrefix.size()) != kPrefix ||
      name.substr(name.size() - kSuffix.size()) != kSuffix)
    return 0;
  name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  const std::size_t dash = name.find('-');
  if (dash == std::string_view::npos || !AllDigits(name.substr(0, dash)) ||
      !AllDigits(name.substr(dash + 1)))
    return 0;
  return std::strtol(std::string(name.substr(0, dash)).c_str(), nullptr, 10);
}

bool StillRuns(long process) {
  if (process == static_cast<long>(getpid())) return true;
  return kill(static_cast<pid_t>(process), 0) == 0 || errno != ESRCH;
}

}  // namespace

bool IsPendingFileName(std::string_view name) { return PendingProcess(name) > 0; }

void SweepStalePendingFiles(const Level& folder) {
  // Within a run, a folder held open is known by what it is, and swept once.
  if (RunCache::Swept(folder.Id())) return;
  RunCache::NoteSwept(folder.Id());
  // A folder is known by device, inode and birth time: an inode number alone may come back
  // for a new folder once an old one is removed.
  using FolderKey = std::tuple<FileId, std::int64_t, std::uint32_t>;
  static std::set<FolderKey> swept;
  struct statx info;
  if (statx(folder.fd.get(), "", AT_EMPTY_PATH, STATX_TYPE | STATX_INO | STATX_BTIME, &info) != 0 ||
      !S_ISDIR(info.stx_mode))
    return;
  const bool born = info.stx_mask & STATX_BTIME;
  const FolderKey key{FileId{makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_ino},
                      born ? info.stx_btime.tv_sec : 0, born ? info.stx_btime.tv_nsec : 0};
  // Once a folder is swept, each further file written into it costs this one look.
  if (!swept.insert(key).second) return;
  const int fd = openat(folder.fd.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return;
  }
  while (const dirent* entry = readdir(dir)) {
    const long process = PendingProcess(entry->d_name);
    struct stat own;
    // Only regular files of this naming, never what a link points to.
    if (process > 0 && !StillRuns(process) &&
        fstatat(fd, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(own.st_mode))
      unlinkat(fd, entry->d_name, 0);
  }
  closedir(dir);
}

void RemoveTemporaryOnInterrupts() {
  struct sigaction action {};
  action.sa_handler = RemoveInFlight;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM}) sigaction(signal, &action, nullptr);
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

namespace WindowsApi {

void RemoveTemporaryOnInterrupt() { PosixHost::RemoveTemporaryOnInterrupts(); }

}  // namespace WindowsApi
