#include "cli/ReportTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/NativePaths.h"
#include "scan/SaveFolder.h"
#include "system/TextTools.h"

namespace Cli {
namespace {

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISLNK(mode)) return "a link";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "something else";
}

// What the entry `name` of the open folder is, without following a link: its kind when it may
// not take the report, empty text for a regular file or no entry of that name. `error` is set
// when it cannot be looked at.
std::string Unfit(int folder, const std::string& name, int& error) {
  error = 0;
  struct stat own;
  if (fstatat(folder, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno != ENOENT) error = errno;
    return {};
  }
  return S_ISREG(own.st_mode) ? std::string() : KindOf(own.st_mode);
}

// The checks, in the order a user would fix them.
std::string FolderProblem(const std::string& said, int folder, const std::string& name,
                          const Folders& folders) {
  if (InMachineArea(folder))
    return said + " lies in a folder of the running machine (/proc, /sys or /dev), not on a disk";
  int error = 0;
  if (const std::string kind = Unfit(folder, name, error); !kind.empty())
    return said + " is " + kind + ", not a regular file";
  if (error) return said + ": " + std::strerror(error);
  if (std::string inside = InsideText(LiesWithin(folder, folders.scanned.get()), said,
                                      Quoted(folders.root), ", which is never written to");
      !inside.empty())
    return inside;
  const std::string saveFolder = "the save folder " + Quoted(folders.saveFolder);
  if (folders.saved)
    if (std::string inside =
            InsideText(LiesWithin(folder, folders.saved.get()), said, saveFolder, "");
        !inside.empty())
      return inside;
  // The save folder is made after this check, under a name the host finds in any case.
  if (TextTools::SameIgnoringAsciiCase(name, SaveFolder::kSaveFolderName) &&
      SameFolder(folder, folders.SaveParent()))
    return said + " would take the place of " + saveFolder;
  return {};
}

}  // namespace

std::optional<ReportTarget> ReportTarget::Open(const std::string& path, const Folders& folders,
                                               std::string& problem) {
  const std::string said = "--json " + Quoted(path);
  const std::size_t cut = path.rfind('/');
  std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  const std::string folderPath =
      cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
  if (name.empty() || name == "." || name == "..") {
    problem = said + " is a folder, not a regular file";
    return std::nullopt;
  }
  Handle folder = OpenFolder(folderPath);
  if (!folder) {
    problem = errno == ENOENT || errno == ENOTDIR
                  ? said + ": no such folder " + Quoted(Absolute(folderPath))
                  : said + ": " + std::strerror(errno);
    return std::nullopt;
  }
  problem = FolderProblem(said, folder.get(), name, folders);
  if (!problem.empty()) return std::nullopt;
  return ReportTarget(path, std::move(folder), std::move(name));
}

std::string ReportTarget::Write(const std::function<bool(std::FILE*)>& produce) const {
  const int folder = folder_.get();
  std::string temporary;
  int fd = -1;
  for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary = ".quillfen-report-" + std::to_string(getpid()) + "-" + std::to_string(attempt) +
                ".tmp";
    fd = openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  const std::string failed = "cannot write the report " + Quoted(path_) + ": ";
  if (fd < 0) return failed + std::strerror(errno);

  // A report that replaces an older one keeps its permission bits.
  struct stat older;
  if (fstatat(folder, name_.c_str(), &older, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(older.st_mode))
    fchmod(fd, older.st_mode & 07777);
  std::FILE* out = fdopen(fd, "wb");
  bool written = out && produce(out) && std::fflush(out) == 0 && fsync(fd) == 0;
  std::string reason = written ? "" : std::strerror(errno);
  // Closing can report a write the file system could not complete (quota, network disks).
  if ((out ? std::fclose(out) : close(fd)) != 0 && written) {
    written = false;
    reason = std::strerror(errno);
  }
  // The name is checked again just before it is replaced: whatever took it during the scan,
  // only a regular file is ever replaced.
  if (written) {
    int error = 0;
    if (const std::string kind = Unfit(folder, name_, error); !kind.empty())
      reason = "it became " + kind + " during the scan";
    written = reason.empty();
  }
  if (written && renameat(folder, temporary.c_str(), folder, name_.c_str()) != 0) {
    written = false;
    reason = std::strerror(errno);
  }
  if (!written) {
    unlinkat(folder, temporary.c_str(), 0);
    return failed + reason;
  }
  return {};
}

}  // namespace Cli
