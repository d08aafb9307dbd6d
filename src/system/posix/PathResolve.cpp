#include "system/posix/PathResolve.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "system/posix/DriveTable.h"
#include "system/posix/NameIndex.h"
#include "system/posix/Reach.h"

namespace PosixHost {
namespace {

bool Qualifies(const struct stat& info, bool folderOnly) {
  return folderOnly ? S_ISDIR(info.st_mode) : IsFileOrFolder(info);
}

bool AnyWildcards(const WindowsPath& path) {
  return std::any_of(path.parts.begin(), path.parts.end(),
                     [](const std::string& part) { return HasWildcards(part); });
}

}  // namespace

std::string JoinNative(const std::string& folder, std::string_view name) {
  std::string joined = folder;
  if (joined.empty() || joined.back() != '/') joined += '/';
  joined += name;
  return joined;
}

std::string ParentOfNative(const std::string& native) {
  const std::size_t cut = native.rfind('/');
  return cut == 0 || cut == std::string::npos ? "/" : native.substr(0, cut);
}

std::optional<FoundEntry> FindEntry(const std::string& folder, std::string_view name,
                                    bool folderOnly) {
  FoundEntry found;
  if (stat(JoinNative(folder, name).c_str(), &found.info) == 0 &&
      Qualifies(found.info, folderOnly)) {
    found.name = name;
    return found;
  }
  // Old disks mounted on Linux are often case-sensitive; Windows never is.
  for (std::string& variant : CaseVariantsOf(folder, name)) {
    if (stat(JoinNative(folder, variant).c_str(), &found.info) == 0 &&
        Qualifies(found.info, folderOnly)) {
      found.name = std::move(variant);
      return found;
    }
  }
  return std::nullopt;
}

namespace {

std::string Relative(const std::vector<std::string>& parts) {
  std::string relative;
  for (const std::string& part : parts) {
    if (!relative.empty()) relative += '/';
    relative += part;
  }
  return relative;
}

// Fills what exists at `relative` below the drive, when the drive reaches it and it is of the
// kind asked for.
bool Reach(Located& located, const std::string& relative, bool folderOnly) {
  auto reached = ReachWithin(located.drive, relative);
  if (!reached || !Qualifies(reached->info, folderOnly)) return false;
  located.exists = true;
  located.info = reached->info;
  located.real = std::move(reached->real);
  located.linkFree = reached->linkFree;
  return true;
}

}  // namespace

namespace {

// The same entry: its metadata may have changed since, which the fresh status then gives.
bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino &&
         (a.st_mode & S_IFMT) == (b.st_mode & S_IFMT);
}

// The last few paths found, that hold no link. The scans ask about one file several times in a
// row (is it there, its attributes, its time, then its copy), and a fresh lookup costs three
// calls; a remembered one costs one stat of its real path, which must still find the same entry
// (another one in its place, or none, means a fresh lookup) and gives its status as it is now.
// What the host itself makes or removes in a folder forgets what that may change.
class LocateMemo {
 public:
  std::optional<Located> Find(std::string_view windowsPath, const DriveList* drives) {
    std::lock_guard<std::mutex> lock(guard_);
    for (Entry& entry : entries_) {
      if (entry.drives != drives || entry.path != windowsPath) continue;
      struct stat now;
      if (stat(entry.located.real.c_str(), &now) != 0 || !SameEntry(now, entry.located.info))
        return std::nullopt;
      Located found = entry.located;
      found.info = now;
      return found;
    }
    return std::nullopt;
  }
  void Keep(std::string_view windowsPath, const DriveList* drives, const Located& located) {
    std::lock_guard<std::mutex> lock(guard_);
    entries_[next_] = {std::string(windowsPath), drives, located};
    next_ = (next_ + 1) % entries_.size();
  }
  // Forgets what an entry made or removed in `folder` may change: the entry itself, what lies
  // below it, and the other names of that folder (a new spelling may now be found first).
  void ForgetIn(const std::string& folder, const std::string& entryPath) {
    std::lock_guard<std::mutex> lock(guard_);
    for (Entry& entry : entries_) {
      const std::string& native = entry.located.native;
      if (ParentOfNative(native) == folder || native == entryPath ||
          native.compare(0, entryPath.size() + 1, entryPath + "/") == 0)
        entry = {};
    }
  }

 private:
  struct Entry {
    std::string path;
    const DriveList* drives = nullptr;
    Located located;
  };
  std::mutex guard_;
  std::array<Entry, 8> entries_;
  std::size_t next_ = 0;
};

LocateMemo& Memo() {
  static LocateMemo memo;
  return memo;
}

// What the path names on disk now, looked up afresh.
std::optional<Located> LocateAfresh(const WindowsPath& path) {
  auto drive = FindDrive(path.drive);
  if (!drive || AnyWildcards(path)) return std::nullopt;

  Located located;
  located.drive = std::move(*drive);
  const std::string& root = located.drive.root;
  if (path.parts.empty()) {
    located.native = root;
    located.isDriveRoot = true;
    Reach(located, "", true);
    return located;
  }

  // The common case, every component spelt as on disk and no link on the way, costs one call.
  const std::string exact = Relative(path.parts);
  located.name = path.parts.back();
  located.native = JoinNative(root, exact);
  if (Reach(located, exact, path.trailingSeparator)) return located;

  std::string current = root;
  std::vector<std::string> found;
  for (std::size_t i = 0; i < path.parts.size(); ++i) {
    const bool last = i + 1 == path.parts.size();
    auto entry = FindEntry(current, path.parts[i], !last || path.trailingSeparator);
    if (!entry) {
      // Not there: the rest is kept as written, so a new entry gets the name asked for.
      for (std::size_t j = i; j < path.parts.size(); ++j)
        current = JoinNative(current, path.parts[j]);
      located.native = current;
      return located;
    }
    current = JoinNative(current, entry->name);
    found.push_back(std::move(entry->name));
  }
  located.native = current;
  located.name = found.back();
  Reach(located, Relative(found), path.trailingSeparator);
  return located;
}

}  // namespace

std::optional<Located> Locate(const WindowsPath& path) {
  // One spelling of the path for the memo: its drive, components and final separator.
  std::string key(1, path.drive);
  for (const std::string& part : path.parts) key += '\\' + part;
  if (path.trailingSeparator) key += '\\';
  const auto drives = CurrentDrives();  // held, so its address names this table only
  if (auto known = Memo().Find(key, drives.get())) return known;
  auto located = LocateAfresh(path);
  if (located && located->exists && located->linkFree) Memo().Keep(key, drives.get(), *located);
  return located;
}

std::optional<Located> Locate(std::string_view windowsPath) {
  auto parsed = ParseWindowsPath(windowsPath);
  if (!parsed) return std::nullopt;
  return Locate(*parsed);
}

void ForgetLocatedIn(const std::string& folder, const std::string& name) {
  Memo().ForgetIn(folder, JoinNative(folder, name));
}

std::optional<Placement> LocateParent(std::string_view windowsPath) {
  auto parsed = ParseWindowsPath(windowsPath);
  if (!parsed || parsed->parts.empty() || parsed->trailingSeparator) return std::nullopt;
  Placement placement;
  placement.name = parsed->parts.back();
  if (HasWildcards(placement.name)) return std::nullopt;
  parsed->parts.pop_back();
  auto folder = Locate(*parsed);
  if (!folder || !folder->exists || !S_ISDIR(folder->info.st_mode)) return std::nullopt;
  placement.folder = std::move(*folder);
  return placement;
}

}  // namespace PosixHost
