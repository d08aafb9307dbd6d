#include "system/posix/PathResolve.h"

#include <algorithm>

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
  return true;
}

}  // namespace

std::optional<Located> Locate(const WindowsPath& path) {
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

std::optional<Located> Locate(std::string_view windowsPath) {
  auto parsed = ParseWindowsPath(windowsPath);
  if (!parsed) return std::nullopt;
  return Locate(*parsed);
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
