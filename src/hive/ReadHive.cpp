// quillfen-read-hive: reads one key of a registry file, and at most one of its values, for the
// POSIX host (the protocol is in HiveLookup.h). The libraries it stands on are not made for
// hostile input, so it runs as a child process, limits its own memory and time before it
// touches the file, and hands back only what it was asked: whatever a damaged file makes a
// library do stays inside this process.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "hive/HiveLookup.h"
#include "hive/HiveReaders.h"

namespace {

constexpr int kHiveDescriptor = 3;
// Memory beyond the file's own size (libhivex maps the whole file), and processor time.
constexpr rlim_t kMemory = 256u << 20;
constexpr rlim_t kSeconds = 4;

enum Status { kAnswered = 0, kUnreadable = 1, kMisused = 2 };

void Limit(int resource, rlim_t soft, rlim_t hard) {
  const rlimit limit{soft, hard};
  setrlimit(resource, &limit);
}

// Key names of a path, "a\\b\" giving a and b.
std::vector<std::string> KeyNames(std::string_view path) {
  std::vector<std::string> names;
  while (!path.empty()) {
    const std::size_t cut = path.find('\\');
    if (cut != 0) names.emplace_back(path.substr(0, cut));
    path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
  }
  return names;
}

bool WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // No descriptor of the parent's but the three standard ones and the file is kept.
  close_range(kHiveDescriptor + 1, ~0u, 0);
  struct stat file;
  if (argc < 3 || argc > 4 || fstat(kHiveDescriptor, &file) != 0) return kMisused;
  const auto kind = HiveLookup::KindOfArgument(argv[1]);
  if (!kind) return kMisused;
  if (!S_ISREG(file.st_mode) || file.st_size <= 0 || file.st_size > HiveLookup::kLargestFile)
    return kUnreadable;

  Limit(RLIMIT_AS, kMemory + static_cast<rlim_t>(file.st_size), kMemory + static_cast<rlim_t>(file.st_size));
  Limit(RLIMIT_CPU, kSeconds, kSeconds + 1);
  Limit(RLIMIT_CORE, 0, 0);   // a library that crashes leaves nothing behind
  Limit(RLIMIT_FSIZE, 0, 0);  // and writes no file
  Limit(RLIMIT_NOFILE, 32, 32);

  const std::vector<std::string> keyNames = KeyNames(argv[2]);
  const std::optional<std::string> value =
      argc == 4 ? std::optional<std::string>(argv[3]) : std::nullopt;
  const std::optional<HiveLookup::Lookup> lookup =
      *kind == HiveLookup::Kind::Nt
          ? HiveReaders::LookUpNt(kHiveDescriptor, keyNames, value)
          : HiveReaders::LookUpWin9x(kHiveDescriptor, static_cast<std::size_t>(file.st_size),
                                     keyNames, value);
  if (!lookup) return kUnreadable;
  return WriteAll(HiveLookup::Encode(*lookup, value.has_value())) ? kAnswered : kUnreadable;
}
