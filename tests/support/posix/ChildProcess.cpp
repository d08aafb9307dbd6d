#include "support/posix/ChildProcess.h"

#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

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

}  // namespace testsupport
