#include "support/posix/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace testsupport {
namespace {

// How the child says how it ended, besides the signals.
constexpr int kTrue = 0;
constexpr int kFalse = 1;
constexpr int kNotPrepared = 3;

}  // namespace

std::ostream& operator<<(std::ostream& out, const ChildEnd& end) {
  switch (end.kind) {
    case ChildEnd::Kind::Answered:
      return out << "the child answered " << (end.answer ? "true" : "false");
    case ChildEnd::Kind::Killed:
      return out << "the child was killed by signal " << end.signal << " (" << strsignal(end.signal)
                 << ")";
    case ChildEnd::Kind::NotPrepared:
      return out << "the child could not be prepared";
    case ChildEnd::Kind::Lost:
      break;
  }
  return out << "the child was lost (wait status " << end.status << ")";
}

ChildEnd InChild(const std::function<bool()>& prepare, const std::function<bool()>& work) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    if (!prepare()) {
      std::printf("the child could not be prepared\n");
      std::fflush(stdout);
      _exit(kNotPrepared);
    }
    const bool answer = work();
    std::fflush(stdout);
    _exit(answer ? kTrue : kFalse);
  }
  ChildEnd end;
  if (child < 0) return end;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return end;
  end.status = status;
  if (WIFSIGNALED(status)) {
    end.kind = ChildEnd::Kind::Killed;
    end.signal = WTERMSIG(status);
  } else if (WIFEXITED(status) && WEXITSTATUS(status) == kNotPrepared) {
    end.kind = ChildEnd::Kind::NotPrepared;
  } else if (WIFEXITED(status) && (WEXITSTATUS(status) == kTrue || WEXITSTATUS(status) == kFalse)) {
    end.kind = ChildEnd::Kind::Answered;
    end.answer = WEXITSTATUS(status) == kTrue;
  }
  return end;
}

std::function<bool()> FileSizeLimit(long bytes) {
  return [bytes] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
  };
}

::testing::AssertionResult Answered(const ChildEnd& end, bool expected) {
  if (end.kind == ChildEnd::Kind::Answered && end.answer == expected)
    return ::testing::AssertionSuccess() << end;
  return ::testing::AssertionFailure() << end << ", not " << (expected ? "true" : "false");
}

std::string ReadAll(int fd) {
  std::string text;
  lseek(fd, 0, SEEK_SET);
  char chunk[4096];
  for (ssize_t got; (got = read(fd, chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<std::size_t>(got));
  return text;
}

Ran RunProgram(const std::vector<std::string>& argv, const std::string& folder) {
  // Files, not pipes: a daemon the program leaves behind keeps a pipe open for ever.
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    const int none = open("/dev/null", O_RDONLY);
    dup2(none >= 0 ? none : 0, 0);
    dup2(fileno(out), 1);
    dup2(fileno(err), 2);
    if (chdir(folder.c_str()) != 0) _exit(126);
    const char* given = std::getenv("PATH");
    const std::string path = std::string(given ? given : "/usr/bin:/bin") + ":/usr/sbin:/sbin";
    setenv("PATH", path.c_str(), 1);
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  Ran ran{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadAll(fileno(out)),
          ReadAll(fileno(err))};
  std::fclose(out);
  std::fclose(err);
  return ran;
}

}  // namespace testsupport
