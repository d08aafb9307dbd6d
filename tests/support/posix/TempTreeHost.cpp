// The parts of TempTree and EnvGuard that use the POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "support/TempTree.h"

namespace fs = std::filesystem;

namespace testsupport {

TempTree::TempTree() {
  std::string pattern = (fs::temp_directory_path() / "quillfen-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed");
  root_ = buffer.data();
}

TempTree::~TempTree() {
  std::error_code ignored;
  // Read-only folders left by a test would stop the removal; open them up first.
  for (auto it = fs::recursive_directory_iterator(root_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(root_, ignored);
}

// The POSIX host reads a dot-name as hidden by itself.
void TempTree::HideDotNames(const std::string&) const {}

void TempTree::SetTime(const std::string& relative, int year, int month, int day, int hour,
                       int minute, int second) const {
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  parts.tm_sec = second;
  parts.tm_isdst = -1;
  timespec times[2];
  times[0].tv_sec = times[1].tv_sec = std::mktime(&parts);
  times[0].tv_nsec = times[1].tv_nsec = 0;
  if (utimensat(AT_FDCWD, Path(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
    throw std::runtime_error("utimensat failed for " + relative);
}

void TempTree::ReadOnly(const std::string& relative) const {
  if (chmod(Path(relative).c_str(), 0444) != 0)
    throw std::runtime_error("chmod failed for " + relative);
}

EnvGuard::EnvGuard(const std::string& name, const char* value) : name_(name) {
  const char* old = std::getenv(name.c_str());
  had_ = old != nullptr;
  if (had_) old_ = old;
  if (value)
    setenv(name.c_str(), value, 1);
  else
    unsetenv(name.c_str());
}

EnvGuard::~EnvGuard() {
  if (had_)
    setenv(name_.c_str(), old_.c_str(), 1);
  else
    unsetenv(name_.c_str());
}

}  // namespace testsupport
