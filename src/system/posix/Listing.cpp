// FindFirstFile/FindNextFile over a POSIX folder, taken as one snapshot.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "system/WindowsApi.h"
#include "system/posix/AsciiText.h"
#include "system/posix/Attributes.h"
#include "system/posix/FolderChain.h"
#include "system/posix/LocalClock.h"
#include "system/posix/PathResolve.h"
#include "system/posix/PendingFile.h"
#include "system/posix/Reach.h"
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
  entries.push_back(MakeEntry(located->name, located->info,
                              AttributesOf(located->native, located->name, located->info)));
  return true;
}

// "." and ".." as Windows lists them first in a folder that is not a drive root: the folder
// itself and its parent, with their own attributes and times.
void AddDotEntries(const Located& folder, std::size_t depth, const std::string& mask,
                   std::vector<FindData>& entries) {
  if (folder.isDriveRoot) return;
  if (MatchesWildcard(mask, ".")) {
    const std::uint32_t bits = AttributesOf(folder.native, folder.name, folder.info);
    entries.push_back(MakeEntry(".", folder.info, bits));
  }
  if (MatchesWildcard(mask, "..")) {
    const std::string parent = ParentOfNative(folder.native);
    // A parent that is the drive root has no name of its own to hide it.
    const std::string parentName = depth > 1 ? parent.substr(parent.rfind('/') + 1) : "";
    struct stat info;
    if (stat(parent.c_str(), &info) == 0)
      entries.push_back(MakeEntry("..", info, AttributesOf(parent, parentName, info)));
  }
}

// The folder opened for reading its entries; -1 when it is no folder or may not be read.
int OpenForListing(const std::optional<Located>& folder) {
  if (!folder || !folder->exists || !S_ISDIR(folder->info.st_mode)) return -1;
  return open(folder->real.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool ListMatching(const WindowsPath& folderPath, const std::string& mask,
                  std::vector<FindData>& entries, WindowsApi::Facts facts) {
  auto folder = Locate(folderPath);
  const int fd = OpenForListing(folder);
  if (fd < 0) return false;
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return false;
  }

  DosAttributeReader dos(FsKindOfDescriptor(fd));
  FolderChain chain(folder->native);
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
    // The running machine's own areas are no part of a disk, even on the drive that maps /.
    if (folder->real == "/" && IsMachineArea("/" + name)) continue;
    const bool typeKnown = item->d_type != DT_UNKNOWN;
    bool linked = item->d_type == DT_LNK;
    if (!typeKnown) {
      struct stat own;
      linked = fstatat(fd, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode);
    }
    // A link the drive may not follow is not there (out of the drive, into /proc...).
    if (linked && !FollowLink(folder->drive, folder->real, name)) continue;
    // A plain file or folder whose type the directory entry gives needs no status of its own
    // unless the caller asks for every fact; a link, or an entry of unknown type, always does.
    struct stat info {};
    const bool stated = linked || !typeKnown || facts == WindowsApi::Facts::All;
    if (stated && (fstatat(fd, name.c_str(), &info, 0) != 0 || !IsFileOrFolder(info)))
      continue;  // dangling, or a link to what is no file
    const bool isFolder = stated ? S_ISDIR(info.st_mode) : item->d_type == DT_DIR;
    // A link back into the path being walked would make every walk of the tree endless.
    if (linked && isFolder && chain.Holds(info)) continue;

    FindData entry;
    entry.name = name;
    if (facts == WindowsApi::Facts::Kind) {
      entry.attributes = isFolder ? WindowsApi::kAttrDirectory : 0;
      found.push_back(std::move(entry));
      continue;
    }
    const std::string native = JoinNative(folder->native, name);
    if (facts == WindowsApi::Facts::Visibility && !(linked && info.st_dev != folder->info.st_dev)) {
      entry.attributes = VisibilityOf(native, name, isFolder, dos);
    } else if (facts == WindowsApi::Facts::Visibility) {
      DosAttributeReader other(FsKindOf(native, info.st_dev));  // a link to another disk
      entry.attributes = VisibilityOf(native, name, isFolder, other);
    } else {
      entry.attributes = info.st_dev == folder->info.st_dev
                             ? AttributesOf(native, name, info, dos)
                             : AttributesOf(native, name, info);  // a link to another disk
      entry.modified = ToLocalTime(info.st_mtim.tv_sec);
    }
    found.push_back(std::move(entry));
  }
  closedir(dir);

  std::sort(found.begin(), found.end(), ListedBefore);
  AddDotEntries(*folder, folderPath.parts.size(), mask, entries);
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
  const int fd = PosixHost::OpenForListing(PosixHost::Locate(folder));
  if (fd < 0) return false;
  close(fd);
  return true;
}

}  // namespace WindowsApi
