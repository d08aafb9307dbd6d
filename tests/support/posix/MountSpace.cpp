#include "support/posix/MountSpace.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "support/posix/ChildProcess.h"

namespace testsupport {
namespace {

// Exit statuses of the child beside gtest's own 0 and 1.
constexpr int kNoNamespace = 3;
constexpr int kUnavailable = 4;

bool WriteFile(const char* path, const std::string& text) {
  std::ofstream out(path);
  return static_cast<bool>(out << text << std::flush);
}

// A mount namespace of this process's own: as root a plain one; otherwise inside a new user
// namespace, where this process is root over its own files. Empty text, or why neither works.
std::string PrivateNamespace() {
  std::string why;
  if (unshare(CLONE_NEWNS) != 0) {
    why = std::string("unshare(CLONE_NEWNS): ") + std::strerror(errno);
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
      return why + "; unshare(CLONE_NEWUSER | CLONE_NEWNS): " + std::strerror(errno);
    if (!WriteFile("/proc/self/setgroups", "deny") ||
        !WriteFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return why + "; the user namespace's ids cannot be mapped";
  }
  // Mounts made here stay here.
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
    return std::string("the mounts cannot be made private: ") + std::strerror(errno);
  return {};
}

}  // namespace

void MountSpace::Mount(const char* source, const std::string& at, const char* type,
                       unsigned long flags) {
  if (mount(source, at.c_str(), type, flags, nullptr) != 0)
    Unavailable(std::string("mount ") + (type ? type : "--bind") + " on " + at + ": " +
                std::strerror(errno));
  mounted_.push_back(at);
}

void MountSpace::Bind(const std::string& from, const std::string& to) {
  Mount(from.c_str(), to, nullptr, MS_BIND);
}

void MountSpace::Tmpfs(const std::string& at) { Mount("tmpfs", at, "tmpfs", 0); }

void MountSpace::ProcFs(const std::string& at) {
  if (mount("proc", at.c_str(), "proc", 0, nullptr) == 0)
    mounted_.push_back(at);
  else
    Bind("/proc", at);
}

void MountSpace::CaseInsensitiveNtfs(const std::string& image, const std::string& at) {
  const Ran made = RunProgram({"mkntfs", "--force", "--fast", "--quiet", image}, "/");
  if (made.status == 127) Unavailable("mkntfs is not installed (Debian package ntfs-3g)");
  if (made.status != 0) Unavailable("mkntfs could not make an NTFS image: " + made.err);
  // A FUSE daemon serves the mount until it is unmounted.
  const Ran mounted = RunProgram({"lowntfs-3g", "-o", "ignore_case", image, at}, "/");
  if (mounted.status == 127) Unavailable("lowntfs-3g is not installed (Debian package ntfs-3g)");
  if (mounted.status != 0)
    Unavailable("lowntfs-3g could not mount an NTFS image here: " + mounted.err);
  mounted_.push_back(at);
}

void MountSpace::Unavailable(const std::string& reason) {
  if (report >= 0) (void)!write(report, reason.data(), reason.size());
  Clear();
  std::fflush(stdout);
  _exit(kUnavailable);
}

void MountSpace::Clear() {
  // Detached, a FUSE mount's daemon ends as soon as nothing uses the mount.
  for (auto at = mounted_.rbegin(); at != mounted_.rend(); ++at) umount2(at->c_str(), MNT_DETACH);
  mounted_.clear();
}

std::optional<std::string> InPrivateMounts(const std::function<void(MountSpace&)>& body) {
  int channel[2];
  if (pipe2(channel, O_CLOEXEC) != 0) return std::string("no pipe: ") + std::strerror(errno);
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    MountSpace space;
    space.report = channel[1];
    if (const std::string why = PrivateNamespace(); !why.empty()) {
      (void)!write(channel[1], why.data(), why.size());
      _exit(kNoNamespace);
    }
    body(space);
    space.Clear();
    std::fflush(stdout);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  close(channel[1]);
  const std::string reason = ReadAll(channel[0]);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (code == kNoNamespace)
    return "not run: the kernel allows no private mount namespace here (" + reason + ")";
  if (code == kUnavailable) return "not run: " + reason;
  EXPECT_EQ(code, 0) << "the case failed in its private mount namespace";
  return std::nullopt;
}

}  // namespace testsupport
