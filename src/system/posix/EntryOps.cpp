// Making and removing single folders and files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "system/WindowsApi.h"
#include "system/posix/Attributes.h"
#include "system/posix/NameIndex.h"
#include "system/posix/PathResolve.h"
#include "system/posix/PendingFile.h"
#include "system/posix/RunCache.h"

namespace {

// A copied folder: its owner may always go on writing into it (a later save must), but others
// get no more than they had on the source, which a 0700 folder keeps from them.
mode_t FolderMode(const std::string& copyOf) {
  if (copyOf.empty()) return 0777;
  const auto source = PosixHost::Locate(copyOf);
  if (!source || !source->exists) return 0700;
  return 0700 | (source->info.st_mode & 0077);
}

}  // namespace

namespace WindowsApi {

bool MakeFolder(const std::string& path, const std::string& copyOf) {
  using namespace PosixHost;
  auto placement = LocateParent(path);
  if (!placement) {
    // CreateDirectory takes a final "\" as well.
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) return false;
    return MakeFolder(path.substr(0, path.size() - 1), copyOf);
  }
  const Located& parent = placement->folder;
  Chain taken = parent.chain;
  // A name taken in another case is taken, as on Windows.
  if (StepInto(parent.drive, taken, placement->name, Want::Any)) return false;
  const Level& folder = parent.chain.back();
  if (mkdirat(folder.fd.get(), placement->name.c_str(), FolderMode(copyOf)) != 0) {
    // Made by another program since the run last read the folder.
    if (errno == EEXIST) Distrust(folder);
    return false;
  }
  NoteCreated(folder, placement->name);
  return true;
}

bool RemoveEmptyFolder(const std::string& path) {
  using namespace PosixHost;
  auto located = Locate(path);
  // A link to a folder is not removed through this call; Windows would remove the link
  // itself, which no caller asks for.
  if (!located || !located->exists || located->isDriveRoot || located->linked ||
      !S_ISDIR(located->info.st_mode))
    return false;
  // What a save cut short left in it is no content of the folder.
  SweepStalePendingFiles(located->chain.back());
  // A folder holding only entries Windows cannot see (FIFOs, odd names) is not empty here.
  if (unlinkat(located->holder.fd.get(), located->name.c_str(), AT_REMOVEDIR) != 0) return false;
  NoteRemoved(located->holder, located->name);
  RunCache::ForgetFolder(located->chain.back().Id());
  return true;
}

bool DeleteOneFile(const std::string& path) {
  using namespace PosixHost;
  auto located = Locate(path);
  if (!located || !located->exists || !S_ISREG(located->info.st_mode)) return false;
  // DeleteFile refuses a read-only file; POSIX would unlink it all the same.
  if (AttributesOf(*located) & kAttrReadOnly) return false;
  // A link goes, never what it leads to, as DeleteFile removes a link itself.
  if (unlinkat(located->holder.fd.get(), located->name.c_str(), 0) != 0) return false;
  NoteRemoved(located->holder, located->name);
  return true;
}

}  // namespace WindowsApi
