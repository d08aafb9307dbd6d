#pragma once
// Work run in a forked child process, so that what it changes of the process (a file size
// limit, dropped capabilities) stays there. How the child ended comes back whole: what its
// work answered, the signal that killed it, or that it never got to its work, so that a
// crash is never read as a false answer.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace testsupport {

struct ChildEnd {
  enum class Kind {
    Answered,     // the work ran to its end; `answer` is what it returned
    Killed,       // a signal ended the child (a crash, a limit); `signal` says which
    NotPrepared,  // the preparation failed, so the work never ran
    Lost,         // no child, or it ended some other way; `status` is the wait status
  };
  Kind kind = Kind::Lost;
  bool answer = false;
  int signal = 0;
  int status = -1;
};
std::ostream& operator<<(std::ostream& out, const ChildEnd& end);

// Runs `prepare`, then `work`, in a forked child. Standard output is flushed on both sides,
// so that what the child prints (its test failures) stands in order.
ChildEnd InChild(const std::function<bool()>& prepare, const std::function<bool()>& work);

// A preparation: the child may write at most `bytes` into any one file, and a write past that
// fails with EFBIG instead of killing it (a disk that fills up part-way through a file).
std::function<bool()> FileSizeLimit(long bytes);

// Passes only when the child's work ran to its end and answered `expected`: a child that was
// killed, or never got to its work, fails whatever was expected.
::testing::AssertionResult Answered(const ChildEnd& end, bool expected);

// How a program run to its end ended: its exit status (128 + the signal that killed it) and
// what it wrote.
struct Ran {
  int status = -1;
  std::string out;
  std::string err;
};

// Everything the file holds from its start (a pipe: everything until it is closed).
std::string ReadAll(int fd);

// Runs a program (looked up in PATH, /usr/sbin and /sbin) in `folder` to its end, with no
// standard input and the environment a test run of quillfen-scan has (TZ=UTC, LC_ALL=C.UTF-8).
Ran RunProgram(const std::vector<std::string>& argv, const std::string& folder);

}  // namespace testsupport
