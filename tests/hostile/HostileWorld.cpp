#include "HostileWorld.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

#include "scan/ScanOptions.h"
#include "scan/ScanProcess.h"
#include "support/posix/ChildProcess.h"
#include "system/HostSettings.h"

namespace hostile {

HostileWorld::HostileWorld() {
  ScanOptions::ResetAll();
  tree.Folder("e");
  // The machine's guards put the settings back when the case ends. The suite is for the POSIX
  // host alone, so its drives keep the letters a Linux user gives them.
  HostSettings::Settings settings = HostSettings::Current();
  settings.drives = "C=" + tree.Path("c") + ";D=" + tree.Path("d") + ";E=" + tree.Path("e");
  settings.windir = "C:\\WINDOWS";
  HostSettings::Use(settings);
  SetProgramFilesDir("C:\\Program Files");
}

namespace {

// Calls `visit` with the relative path and status of every entry below the open folder `fd`,
// through descriptors, so that trees deeper than any path the kernel takes are walked too.
// With `openUp`, folders are opened for their owner first (a case may have locked them).
// `after` runs for each folder once its entries have been visited.
using Visit = std::function<void(int, const std::string&, const std::string&, const struct stat&)>;
void Walk(int fd, const std::string& prefix, bool openUp, const Visit& visit,
          const std::function<void(int, const std::string&)>& after = {}) {
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return;
  }
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  for (const std::string& name : names) {
    struct stat info;
    if (fstatat(dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    visit(dirfd(dir), name, prefix + name, info);
    if (!S_ISDIR(info.st_mode)) continue;
    if (openUp) fchmodat(dirfd(dir), name.c_str(), (info.st_mode & 07777) | S_IRWXU, 0);
    const int inner = openat(dirfd(dir), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (inner >= 0) Walk(inner, prefix + name + "/", openUp, visit, after);
    if (after) after(dirfd(dir), name);
  }
  closedir(dir);
}

std::string Slurp(int folder, const std::string& name) {
  const int fd = openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return "(unreadable)";
  std::string bytes;
  char chunk[65536];
  for (ssize_t got; (got = read(fd, chunk, sizeof chunk)) > 0;) bytes.append(chunk, got);
  close(fd);
  return bytes;
}

}  // namespace

HostileWorld::~HostileWorld() {
  if (armed_) {
    const auto after = Fingerprints(true);
    for (const auto& [file, print] : before_) {
      if (std::find(changed_.begin(), changed_.end(), file) != changed_.end()) continue;
      const auto now = after.find(file);
      if (now == after.end()) {
        ADD_FAILURE() << "source removed: " << file;
      } else {
        EXPECT_EQ(now->second, print) << "source changed: " << file;
      }
    }
  }
  // Removed through descriptors: a case may leave a tree deeper than a path can name.
  const int root = open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY);
  if (root >= 0)
    Walk(root, "", true, [](int folder, const std::string& name, const std::string&, const struct stat& info) {
      if (!S_ISDIR(info.st_mode)) unlinkat(folder, name.c_str(), 0);
    }, [](int folder, const std::string& name) { unlinkat(folder, name.c_str(), AT_REMOVEDIR); });
}

void HostileWorld::Arm() {
  before_ = Fingerprints(false);
  armed_ = true;
}

std::map<std::string, std::string> HostileWorld::Fingerprints(bool openUp) const {
  std::map<std::string, std::string> prints;
  const int root = open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY);
  if (root < 0) return prints;
  Walk(root, "", openUp, [&](int folder, const std::string& name, const std::string& relative,
                     const struct stat& info) {
    if (!S_ISREG(info.st_mode) || relative == "machine.reg") return;
    if (relative.find("CVL_SAVE") != std::string::npos) return;  // what the scans write
    const std::string bytes = Slurp(folder, name);
    prints[relative] = std::to_string(std::hash<std::string>{}(bytes)) + "/" +
                       std::to_string(info.st_size) + "/" +
                       std::to_string(info.st_mtim.tv_sec) + "." +
                       std::to_string(info.st_mtim.tv_nsec) + "/" +
                       std::to_string(info.st_mode & 07777);
  });
  return prints;
}

std::string HostileWorld::ScanLocal() {
  ScanProcess::ScanLocalComputer(console, progress, openButton);
  EXPECT_EQ(progress.unloads, 1) << "the progress window must close";
  progress.unloads = 0;
  return testsupport::MaskTimes(console.Text());
}

Calls HostileWorld::ScanFolder(const std::string& folder) {
  dialogs.calls.clear();
  ScanProcess::ScanFolder(folder);
  return dialogs.calls;
}

Calls HostileWorld::ScanDrive(char letter) {
  dialogs.calls.clear();
  ScanProcess::ScanDrive(std::string(1, letter) + ":");
  return dialogs.calls;
}

namespace {

bool DropPermissionOverride() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
    const unsigned bit = 1u << (cap % 32);
    data[cap / 32].effective &= ~bit;
    data[cap / 32].permitted &= ~bit;
    data[cap / 32].inheritable &= ~bit;
  }
  return syscall(SYS_capset, &header, data) == 0;
}

// Whether this process is kept out of a file its owner may not read.
bool PermissionsHold() {
  char probe[] = "/tmp/quillfen-probe-XXXXXX";
  const int fd = mkstemp(probe);
  if (fd < 0) return false;
  close(fd);
  chmod(probe, 0);
  const int opened = open(probe, O_RDONLY | O_CLOEXEC);
  if (opened >= 0) close(opened);
  unlink(probe);
  return opened < 0;
}

// `body` as a child's work: it answers whether the case met no failure (the child prints its
// own failures).
std::function<bool()> CaseOf(const std::function<void()>& body) {
  return [&body] {
    body();
    return !::testing::Test::HasFailure();
  };
}

}  // namespace

void WithoutPermissionOverride(const std::function<void()>& body) {
  EXPECT_TRUE(testsupport::Answered(
      testsupport::InChild([] { return DropPermissionOverride() && PermissionsHold(); }, CaseOf(body)),
      true))
      << "the case failed in its child without permission override";
}

bool WithFileSizeLimit(long bytes, const std::function<void()>& body) {
  const testsupport::ChildEnd end = testsupport::InChild(testsupport::FileSizeLimit(bytes), CaseOf(body));
  // A crash is told apart from the case's own failures.
  if (end.kind != testsupport::ChildEnd::Kind::Answered) ADD_FAILURE() << end;
  return testsupport::Answered(end, true);
}

::testing::AssertionResult Says(const std::string& text, const std::vector<std::string>& said) {
  for (const std::string& line : said)
    if (text.find(line) == std::string::npos)
      return ::testing::AssertionFailure() << "\"" << line << "\" is not in:\n" << text;
  return ::testing::AssertionSuccess();
}

std::string CaseTwin(const std::string& file) {
  return "Could not copy file: " + file + " (its name differs only in case from a file saved already)";
}

}  // namespace hostile
