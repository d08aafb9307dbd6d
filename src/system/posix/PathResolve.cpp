#include "system/posix/PathResolve.h"

#include <algorithm>

#include "system/posix/DriveTable.h"
#include "system/posix/NameIndex.h"

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

std::optional<Located> Locate(const WindowsPath& path) {
  auto root = DriveRoot(path.drive);
  if (!root || AnyWildcards(path)) return std::nullopt;

  Located located;
  if (path.parts.empty()) {
    located.native = *root;
    located.isDriveRoot = true;
    located.exists = stat(root->c_str(), &located.info) == 0 && S_ISDIR(located.info.st_mode);
    return located;
  }

  // The common case, every component spelt as on disk, costs one stat.
  located.native = *root;
  for (const std::string& part : path.parts) located.native = JoinNative(located.native, part);
  if (stat(located.native.c_str(), &located.info) == 0 &&
      Qualifies(located.info, path.trailingSeparator)) {
    located.exists = true;
    located.name = path.parts.back();
    return located;
  }

  std::string current = *root;
  for (std::size_t i = 0; i < path.parts.size(); ++i) {
    const bool last = i + 1 == path.parts.size();
    auto found = FindEntry(current, path.parts[i], !last || path.trailingSeparator);
    if (!found) {
      // Not there: the rest is kept as written, so a new entry gets the name asked for.
      for (std::size_t j = i; j < path.parts.size(); ++j)
        current = JoinNative(current, path.parts[j]);
      located.native = current;
      located.exists = false;
      located.name = path.parts.back();
      return located;
    }
    current = JoinNative(current, found->name);
    if (last) {
      located.info = found->info;
      located.name = std::move(found->name);
    }
  }
  located.native = current;
  located.exists = true;
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
