#include "system/posix/PathResolve.h"

#include <algorithm>

#include "system/posix/NativePath.h"

namespace PosixHost {
namespace {

bool AnyWildcards(const WindowsPath& path) {
  return std::any_of(path.parts.begin(), path.parts.end(),
                     [](const std::string& part) { return HasWildcards(part); });
}

}  // namespace

std::optional<Located> Locate(const WindowsPath& path) {
  auto drive = FindDrive(path.drive);
  if (!drive || AnyWildcards(path)) return std::nullopt;

  Located located;
  located.drive = std::move(*drive);
  located.native = located.drive.root;
  located.isDriveRoot = path.parts.empty();
  Chain chain = OpenDriveRoot(located.drive);
  if (!chain.empty()) located.passed.push_back(chain.back().Id());
  for (std::size_t i = 0; i < path.parts.size(); ++i) {
    const bool last = i + 1 == path.parts.size();
    const Want want = !last || path.trailingSeparator ? Want::Folder : Want::Any;
    Level holder = chain.empty() ? Level{} : chain.back();
    std::string spelled;
    bool linked = false;
    if (chain.empty() || !StepInto(located.drive, chain, path.parts[i], want, &spelled, &linked)) {
      // Not there: the rest is kept as written, so a new entry gets the name asked for.
      for (std::size_t j = i; j < path.parts.size(); ++j)
        located.native = JoinNative(located.native, path.parts[j]);
      return located;
    }
    located.native = JoinNative(located.native, spelled);
    located.passed.push_back(chain.back().Id());
    if (last) {
      located.name = std::move(spelled);
      located.holder = std::move(holder);
      located.linked = linked;
    }
  }
  if (chain.empty()) return located;
  located.exists = true;
  located.info = chain.back().info;
  located.chain = std::move(chain);
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
