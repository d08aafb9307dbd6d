#include "cli/SaveTarget.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/NativePaths.h"

namespace Cli {
namespace {

// Whether a folder link below the open folder leads into `root` (and out of `save`, where a
// link may lead to its own folders): the host follows links that stay on their drive, so the
// save would write through it.
bool LinkLeadsInto(int folder, int root, int save) {
  const int listed = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* entries = listed >= 0 ? fdopendir(listed) : nullptr;
  if (!entries) {
    if (listed >= 0) close(listed);
    return false;
  }
  bool leads = false;
  while (const dirent* entry = readdir(entries)) {
    const std::string name = entry->d_name;
    struct stat own;
    if (name == "." || name == ".." ||
        fstatat(dirfd(entries), name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0)
      continue;
    if (S_ISDIR(own.st_mode)) {
      const Handle inner = Handle::Adopt(
          openat(dirfd(entries), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
      leads = inner && LinkLeadsInto(inner.get(), root, save);
    } else if (S_ISLNK(own.st_mode)) {
      // A link to a file is replaced by the copy, never written through.
      const Handle target = Handle::Adopt(
          openat(dirfd(entries), name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
      leads = target && LiesWithin(target.get(), root) != Placement::Outside &&
              LiesWithin(target.get(), save) != Placement::Inside;
    }
    if (leads) break;
  }
  closedir(entries);
  return leads;
}

}  // namespace

std::string SaveProblem(const Folders& folders) {
  if (folders.destFolder) {
    const std::string inside =
        InsideText(LiesWithin(folders.destFolder.get(), folders.scanned.get()),
                   "DEST " + Quoted(folders.dest), Quoted(folders.root),
                   ", which is never written to; save somewhere else");
    if (!inside.empty()) return inside;
    if (folders.saved) {
      const std::string holds =
          InsideText(LiesWithin(folders.scanned.get(), folders.saved.get()),
                     Quoted(folders.root), "the save folder " + Quoted(folders.saveFolder), "");
      if (!holds.empty()) return holds;
    }
  }
  const int saved = folders.saved.get();
  if (folders.saved && LinkLeadsInto(saved, folders.scanned.get(), saved))
    return "a link in the save folder " + Quoted(folders.saveFolder) + " leads into " +
           Quoted(folders.root);
  return {};
}

}  // namespace Cli
