#include "system/posix/Reach.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <vector>

#include "system/posix/PathResolve.h"

namespace PosixHost {
namespace {

// As many links as Linux itself follows in one path.
constexpr int kMaxLinks = 40;

std::optional<std::string> LinkText(const std::string& path) {
  std::vector<char> text(256);
  for (;;) {
    const ssize_t size = readlink(path.c_str(), text.data(), text.size());
    if (size < 0) return std::nullopt;
    if (static_cast<std::size_t>(size) < text.size()) return std::string(text.data(), size);
    if (text.size() > (1u << 16)) return std::nullopt;
    text.resize(text.size() * 2);
  }
}

// Walks real paths one name at a time, following each link met by the drive's rules.
class Walker {
 public:
  explicit Walker(const Drive& drive) : drive_(drive) {}

  // From the real folder `current` through every name of `path` ("/"-separated).
  bool Walk(std::string& current, std::string_view path) {
    while (!path.empty()) {
      const std::size_t cut = path.find('/');
      if (!Step(current, path.substr(0, cut))) return false;
      path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
    }
    return true;
  }

  // Into the link `name` of the real folder `folder`.
  bool Follow(std::string& folder, std::string_view name) {
    if (++links_ > kMaxLinks) return false;
    const auto target = LinkText(JoinNative(folder, name));
    if (!target || target->empty()) return false;
    std::string resolved = target->front() == '/' ? "/" : folder;
    if (!Walk(resolved, *target)) return false;
    if (!IsInside(resolved, drive_.real)) return false;
    // On the drive that holds everything, a link may only lead further into its own folder.
    if (drive_.real == "/" && !IsInside(resolved, folder)) return false;
    folder = std::move(resolved);
    return true;
  }

 private:
  bool Step(std::string& current, std::string_view name) {
    if (name.empty() || name == ".") return true;
    std::string next = name == ".." ? ParentOfNative(current) : JoinNative(current, name);
    if (IsMachineArea(next)) return false;
    struct stat own;
    if (lstat(next.c_str(), &own) != 0) return false;
    if (!S_ISLNK(own.st_mode)) {
      current = std::move(next);
      return true;
    }
    return Follow(current, name);
  }

  const Drive& drive_;
  int links_ = 0;
};

// The status of a path that holds no link at all, without following one; nullopt with errno
// ELOOP when it holds one, ENOSYS when the kernel cannot tell this way.
std::optional<struct stat> StatWithoutLinks(const std::string& path) {
  static std::atomic<bool> unavailable{false};
  if (unavailable) {
    errno = ENOSYS;
    return std::nullopt;
  }
  open_how how{};
  how.flags = O_PATH | O_CLOEXEC;
  how.resolve = RESOLVE_NO_SYMLINKS;
  const long fd = syscall(SYS_openat2, AT_FDCWD, path.c_str(), &how, sizeof how);
  if (fd < 0) {
    // An older kernel, or a sandbox that forbids the call: the walk does the same work.
    if (errno == ENOSYS || errno == EPERM || errno == EINVAL || errno == E2BIG) {
      unavailable = true;
      errno = ENOSYS;
    }
    return std::nullopt;
  }
  struct stat info;
  const bool ok = fstat(static_cast<int>(fd), &info) == 0;
  close(static_cast<int>(fd));
  if (!ok) return std::nullopt;
  return info;
}

}  // namespace

bool IsInside(std::string_view path, std::string_view folder) {
  if (folder == "/") return !path.empty() && path.front() == '/';
  return path.substr(0, folder.size()) == folder &&
         (path.size() == folder.size() || path[folder.size()] == '/');
}

bool IsMachineArea(std::string_view realPath) {
  for (std::string_view area : {"/proc", "/sys", "/dev"})
    if (IsInside(realPath, area)) return true;
  return false;
}

std::optional<Reached> ReachWithin(const Drive& drive, std::string_view relative) {
  Reached reached;
  reached.real = relative.empty() ? drive.real : JoinNative(drive.real, relative);
  // The common case, no link on the way, costs one call.
  if (auto info = StatWithoutLinks(reached.real)) {
    if (IsMachineArea(reached.real)) return std::nullopt;
    reached.info = *info;
    reached.linkFree = true;
    return reached;
  }
  if (errno != ELOOP && errno != ENOSYS) return std::nullopt;
  reached.real = drive.real;
  Walker walker(drive);
  if (!walker.Walk(reached.real, relative) || stat(reached.real.c_str(), &reached.info) != 0)
    return std::nullopt;
  return reached;
}

std::optional<std::string> FollowLink(const Drive& drive, const std::string& folderReal,
                                      std::string_view name) {
  std::string folder = folderReal;
  Walker walker(drive);
  if (!walker.Follow(folder, name)) return std::nullopt;
  return folder;
}

}  // namespace PosixHost
