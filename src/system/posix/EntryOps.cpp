// Making and removing single folders and files.
#include <sys/stat.h>
#include <unistd.h>

#include "system/WindowsApi.h"
#include "system/posix/Attributes.h"
#include "system/posix/NameIndex.h"
#include "system/posix/PathResolve.h"
#include "system/posix/PendingFile.h"

namespace WindowsApi {

bool MakeFolder(const std::string& path) {
  using namespace PosixHost;
  auto placement = LocateParent(path);
  if (!placement) {
    // CreateDirectory takes a final "\" as well.
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) return false;
    return MakeFolder(path.substr(0, path.size() - 1));
  }
  // A name taken in another case is taken, as on Windows.
  if (FindEntry(placement->folder.native, placement->name, false)) return false;
  const std::string native = JoinNative(placement->folder.native, placement->name);
  if (mkdir(native.c_str(), 0777) != 0) return false;
  NoteCreated(placement->folder.native, placement->name);
  return true;
}

bool RemoveEmptyFolder(const std::string& path) {
  using namespace PosixHost;
  auto located = Locate(path);
  if (!located || !located->exists || located->isDriveRoot) return false;
  struct stat own;
  // A link to a folder is not removed through this call (rmdir refuses links); Windows would
  // remove the link itself, which no caller asks for.
  if (lstat(located->native.c_str(), &own) != 0 || !S_ISDIR(own.st_mode)) return false;
  // What a save cut short left in it is no content of the folder.
  SweepStalePendingFiles(located->native);
  // A folder holding only entries Windows cannot see (FIFOs, odd names) is not empty here.
  if (rmdir(located->native.c_str()) != 0) return false;
  NoteRemoved(ParentOfNative(located->native), located->name);
  return true;
}

bool DeleteOneFile(const std::string& path) {
  using namespace PosixHost;
  auto located = Locate(path);
  if (!located || !located->exists || !S_ISREG(located->info.st_mode)) return false;
  // DeleteFile refuses a read-only file; POSIX would unlink it all the same.
  if (AttributesOf(located->native, located->name, located->info) & kAttrReadOnly) return false;
  if (unlink(located->native.c_str()) != 0) return false;
  NoteRemoved(ParentOfNative(located->native), located->name);
  return true;
}

}  // namespace WindowsApi
