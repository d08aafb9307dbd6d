#include "Namespaces.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace hostile {
namespace {

bool WriteFile(const char* path, const std::string& text) {
  const int fd = open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fd);
  return ok;
}

// A mount namespace of this process's own, its mounts kept from the parent's.
bool EnterPrivateMounts(std::string& why) {
  if (unshare(CLONE_NEWNS) != 0) {
    const int plain = errno;
    const std::string uid = std::to_string(getuid()), gid = std::to_string(getgid());
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
      why = std::string("no mount namespace (") + std::strerror(plain) +
            ") and no user namespace (" + std::strerror(errno) + ")";
      return false;
    }
    // Root inside the user namespace is the user who runs the suite outside it.
    WriteFile("/proc/self/setgroups", "deny");
    if (!WriteFile("/proc/self/uid_map", "0 " + uid + " 1") ||
        !WriteFile("/proc/self/gid_map", "0 " + gid + " 1")) {
      why = "a user namespace whose ids cannot be mapped";
      return false;
    }
  }
  if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    why = std::string("mounts that stay shared: ") + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace

bool WithPrivateMounts(const std::function<void()>& body, std::string& why) {
  // The child first says whether it could make its namespace, through a pipe.
  int report[2];
  if (pipe(report) != 0) {
    why = "no pipe";
    return false;
  }
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    close(report[0]);
    std::string reason;
    const bool entered = EnterPrivateMounts(reason);
    const std::string said = entered ? std::string("ok") : reason;
    if (write(report[1], said.data(), said.size()) < 0) _exit(3);
    close(report[1]);
    if (!entered) _exit(0);
    body();
    std::fflush(stdout);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  close(report[1]);
  std::string said;
  char chunk[256];
  for (ssize_t got; (got = read(report[0], chunk, sizeof chunk)) > 0;) said.append(chunk, got);
  close(report[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (said != "ok") {
    why = said.empty() ? "the child could not start" : said;
    return false;
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the case failed in its child with private mounts";
  return true;
}

bool Bind(const std::string& source, const std::string& target) {
  return mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) == 0;
}

}  // namespace hostile
