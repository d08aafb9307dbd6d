#include "system/posix/HiveReader.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace PosixHost {
namespace {

using Clock = std::chrono::steady_clock;

// The descriptor the reader finds the file on.
constexpr int kChildFileDescriptor = 3;
// Copies handed to the child are put above the standard three and the file's own number, so
// that no step of the child's set-up overwrites another's source.
constexpr int kFirstHandedDescriptor = 10;

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// Says once that the reader cannot be started: every registry read then fails.
void TellCannotStart(const std::string& program, int error) {
  static bool told = false;
  if (told) return;
  told = true;
  if (program.empty())
    std::fprintf(stderr, "quillfen: the registry reader quillfen-read-hive is not installed "
                         "with the program: no registry file can be read\n");
  else
    std::fprintf(stderr, "quillfen: cannot run the registry reader %s: %s\n", program.c_str(),
                 std::strerror(error));
}

int MillisecondsLeft(Clock::time_point end) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// The child, started with the file on descriptor 3, standard output into `out`, and nothing
// else of ours: no input, no error output, no environment, default signal handling, no blocked
// signals.
std::optional<pid_t> Start(const std::string& program, int file, int out,
                           const std::vector<std::string>& arguments) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, file, kChildFileDescriptor);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  // A process group of its own, so that a kill reaches anything it may have started.
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  char* environment[] = {nullptr};
  pid_t pid = -1;
  const int error = program.empty() ? ENOENT
                                    : posix_spawn(&pid, program.c_str(), &actions, &attributes,
                                                  argv.data(), environment);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    TellCannotStart(program, error);
    return std::nullopt;
  }
  return pid;
}

// Everything the child writes, until it closes its output; nullopt past the deadline or past
// the longest answer there can be.
std::optional<std::string> ReadAnswer(int in, Clock::time_point end) {
  std::string answer;
  char chunk[65536];
  for (;;) {
    pollfd ready{in, POLLIN, 0};
    const int polled = poll(&ready, 1, MillisecondsLeft(end));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return std::nullopt;
    const ssize_t got = read(in, chunk, sizeof chunk);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) return answer;
    answer.append(chunk, static_cast<std::size_t>(got));
    if (answer.size() > HiveLookup::kLongestAnswer) return std::nullopt;
  }
}

// The child, ended and reaped: killed first, with its process group, when it is still running.
void Kill(pid_t pid) {
  kill(-pid, SIGKILL);
  while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
}

// Whether the child ended by itself with status 0 before the deadline. It is reaped either
// way: killed when it has not ended by then.
bool EndsWell(pid_t pid, Clock::time_point end) {
  for (;;) {
    int status = 0;
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (ended < 0 && errno != EINTR) return false;
    if (MillisecondsLeft(end) == 0) {
      Kill(pid);
      return false;
    }
    usleep(1000);
  }
}

}  // namespace

std::optional<HiveLookup::Lookup> AskReader(const std::string& program, int file,
                                            HiveLookup::Kind kind, const std::string& keyPath,
                                            const std::optional<std::string>& value,
                                            std::chrono::milliseconds timeLimit) {
  const Clock::time_point end = Clock::now() + timeLimit;
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
  Descriptor in(ends[0]);
  Descriptor pipeOut(ends[1]);
  Descriptor out(fcntl(pipeOut.Get(), F_DUPFD_CLOEXEC, kFirstHandedDescriptor));
  Descriptor handed(fcntl(file, F_DUPFD_CLOEXEC, kFirstHandedDescriptor));
  pipeOut.Close();
  if (out.Get() < 0 || handed.Get() < 0) return std::nullopt;

  std::vector<std::string> arguments{HiveLookup::KindArgument(kind), keyPath};
  if (value) arguments.push_back(*value);
  const std::optional<pid_t> pid = Start(program, handed.Get(), out.Get(), arguments);
  // Only the child holds the writing end now: its exit ends the answer.
  out.Close();
  handed.Close();
  if (!pid) return std::nullopt;

  const std::optional<std::string> answer = ReadAnswer(in.Get(), end);
  if (!answer) {
    Kill(*pid);
    return std::nullopt;
  }
  if (!EndsWell(*pid, end)) return std::nullopt;
  return HiveLookup::Decode(*answer, value.has_value());
}

}  // namespace PosixHost
