// FindFirstFile/FindNextFile over a POSIX folder, taken as one snapshot.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

#include "system/WindowsApi.h"
#include "system/posix/AsciiText.h"
#include "system/posix/Attributes.h"
#include "system/posix/LocalClock.h"
#include "system/posix/MachineArea.h"
#include "system/posix/PathResolve.h"
#include "system/posix/PendingFile.h"
#include "system/posix/RunCache.h"
#include "system/posix/Wildcard.h"

namespace PosixHost {
namespace {

using WindowsApi::FindData;

FindData MakeEntry(const std::string& name, const struct stat& info, std::uint32_t attributes) {
  FindData entry;
  entry.name = name;
  entry.attributes = attributes;
  entry.modified = ToLocalTime(info.st_mtim.tv_sec);
  return entry;
}

// readdir gives hash order on most Linux file systems; entries are put in the order an NTFS
// folder lists them (case-blind), so that two runs over one tree do the same thing.
bool ListedBefore(const FindData& a, const FindData& b) {
  const std::size_t common = std::min(a.name.size(), b.name.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char x = UpperAscii(a.name[i]), y = UpperAscii(b.name[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
  return a.name < b.name;
}

bool NeverAFile(unsigned char type) {
  return type == DT_FIFO || type == DT_SOCK || type == DT_CHR || type == DT_BLK;
}

// A pattern without wildcards names one entry; it is looked up, never searched for, so its
// cost does not grow with the folder.
bool ListOne(const WindowsPath& path, std::vector<FindData>& entries) {
  auto located = Locate(path);
  if (!located || !located->exists) return false;
  entries.push_back(MakeEntry(located->name, located->info, AttributesOf(*located)));
  return true;
}

// "." and ".." as Windows lists them first in a folder that is not a drive root: the folder
// itself and its parent, with their own attributes and times.
void AddDotEntries(const Located& folder, const std::string& mask,
                   std::vector<FindData>& entries) {
  if (folder.isDriveRoot) return;
  if (MatchesWildcard(mask, ".")) entries.push_back(MakeEntry(".", folder.info, AttributesOf(folder)));
  if (MatchesWildcard(mask, "..")) {
    // The folder the walk came through; a parent that is the drive root has no name of its
    // own to hide it.
    Chain parent(folder.chain.begin(), folder.chain.end() - 1);
    const Level& above = parent.back();
    DosAttributeReader dos(FsKindOf(above.fd.get(), above.info.st_dev));
    struct stat info;
    if (fstat(above.fd.get(), &info) == 0)
      entries.push_back(MakeEntry("..", info, AttributesOf(PlaceOf(parent), above.name, info, dos)));
  }
}

// The folder opened for reading its entries; empty when it is no folder or may not be read.
Handle OpenForListing(const std::optional<Located>& folder) {
  if (!folder || !folder->exists || !S_ISDIR(folder->info.st_mode)) return {};
  return OpenForReading(folder->chain);
}

bool ListMatching(const WindowsPath& folderPath, const std::string& mask,
                  std::vector<FindData>& entries, WindowsApi::Facts facts) {
  auto folder = Locate(folderPath);
  const Handle opened = OpenForListing(folder);
  const int fd = opened ? dup(opened.get()) : -1;
  if (fd < 0) return false;
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return false;
  }

  DosAttributeReader dos(FsKindOf(fd, folder->info.st_dev));
  std::vector<FindData> found;
  while (const dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (name == "." || name == "..") continue;
    // FIFOs, sockets and devices are no files to Windows; the type from readdir lets them be
    // passed over without even a stat.
    if (NeverAFile(item->d_type)) continue;
    // A name holding "\" or ":" cannot be written in a Windows path at all.
    if (!IsWindowsName(name) || !MatchesWildcard(mask, name)) continue;
    // The host's own files being written, or left by a save that was cut short, are no
    // entries of the folder.
    if (IsPendingFileName(name)) continue;
    bool linked = item->d_type == DT_LNK;
    // A folder may be a mount point, and a file a bind mount: both are looked at unless only
    // the kind of each entry is asked for, and a plain file's kind is in its directory entry.
    const bool stated = linked || item->d_type == DT_UNKNOWN || item->d_type == DT_DIR ||
                        facts != WindowsApi::Facts::Kind;
    struct stat info {};
    Chain target;
    Handle own;  // an entry on another file system than its folder's (a mount point), held open
    if (stated) {
      if (fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
      linked = S_ISLNK(info.st_mode);
    }
    if (linked) {
      // A link the drive may not follow is not there (out of the drive, into /proc...).
      target = folder->chain;
      if (!FollowLink(folder->drive, target, name)) continue;
      info = target.back().info;
      // A link back into the path being walked, as written or as it lies on disk, would make
      // every walk of the tree endless.
      const FileId id = FileId::Of(info);
      if (S_ISDIR(info.st_mode) &&
          (std::find(folder->passed.begin(), folder->passed.end(), id) != folder->passed.end() ||
           std::any_of(folder->chain.begin(), folder->chain.end(),
                       [&](const Level& level) { return level.Id() == id; })))
        continue;
    } else if (stated) {
      if (!IsFileOrFolder(info)) continue;
      // One on the folder's own file system lies on the disk; one on another only when it is
      // no part of the running machine's own areas.
      if (info.st_dev != folder->info.st_dev) {
        own = Handle::Adopt(openat(fd, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!own || IsMachineEntry(own.get(), info)) continue;
      }
    }
    const bool isFolder = stated || linked ? S_ISDIR(info.st_mode) : item->d_type == DT_DIR;

    FindData entry;
    entry.name = name;
    if (facts == WindowsApi::Facts::Kind) {
      entry.attributes = isFolder ? WindowsApi::kAttrDirectory : 0;
      found.push_back(std::move(entry));
      continue;
    }
    // A link's attributes are its target's, read where the target lies; an entry on another
    // file system (a link to another disk, a mount point) is read the way that one keeps them.
    const EntryPlace place = linked ? PlaceOf(target) : EntryPlace{fd, name};
    std::optional<DosAttributeReader> elsewhere;
    if (stated && info.st_dev != folder->info.st_dev) {
      if (linked) own = target.back().fd;
      elsewhere.emplace(own ? FsKindOf(own.get(), info.st_dev) : FsKind::Other);
    }
    DosAttributeReader& reader = elsewhere ? *elsewhere : dos;
    if (stated) {
      // Every bit is read once; a file's, with its status, answers the run's later questions.
      const std::uint32_t all = AttributesOf(place, name, info, reader);
      if (!linked && S_ISREG(info.st_mode))
        RunCache::KeepFile(folder->chain.back().Id(), name, {info, all});
      // Asked for its visibility alone, an entry is given no read-only bit, as always.
      const std::uint32_t visible = all & ~WindowsApi::kAttrReadOnly;
      entry.attributes = facts == WindowsApi::Facts::All ? all
                         : visible == 0                  ? WindowsApi::kAttrNormal
                                                         : visible;
      if (facts == WindowsApi::Facts::All) entry.modified = ToLocalTime(info.st_mtim.tv_sec);
    } else {
      entry.attributes = VisibilityOf(place, name, isFolder, reader);
    }
    found.push_back(std::move(entry));
  }
  closedir(dir);

  std::sort(found.begin(), found.end(), ListedBefore);
  AddDotEntries(*folder, mask, entries);
  entries.insert(entries.end(), std::make_move_iterator(found.begin()),
                 std::make_move_iterator(found.end()));
  return !entries.empty();
}

}  // namespace
}  // namespace PosixHost

namespace WindowsApi {

bool ListFolder(const std::string& pattern, std::vector<FindData>& entries, Facts facts) {
  entries.clear();
  auto parsed = PosixHost::ParseWindowsPath(pattern);
  if (!parsed) return false;
  // A pattern ending in "\" (or naming a drive root) lists everything in that folder.
  if (parsed->trailingSeparator || parsed->parts.empty()) {
    parsed->trailingSeparator = false;
    return PosixHost::ListMatching(*parsed, "*.*", entries, facts);
  }
  if (!PosixHost::HasWildcards(parsed->parts.back())) return PosixHost::ListOne(*parsed, entries);
  const std::string mask = parsed->parts.back();
  parsed->parts.pop_back();
  return PosixHost::ListMatching(*parsed, mask, entries, facts);
}

bool CanListFolder(const std::string& folder) {
  return static_cast<bool>(PosixHost::OpenForListing(PosixHost::Locate(folder)));
}

}  // namespace WindowsApi
