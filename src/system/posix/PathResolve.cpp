#include "system/posix/PathResolve.h"

#include <algorithm>
#include <array>

#include "system/NativePath.h"
#include "system/posix/RunCache.h"

namespace PosixHost {
namespace {

bool AnyWildcards(const WindowsPath& path) {
  return std::any_of(path.parts.begin(), path.parts.end(),
                     [](const std::string& part) { return HasWildcards(part); });
}

RunCache::KnownFolder Known(const Located& located, const Chain& chain) {
  return {located.drive, located.native, located.name, chain, located.holder, located.linked,
          located.passed};
}

// Within a run, the deepest folder of the path that the run has walked to already: the walk
// goes on from there. Returns how many components it holds.
std::size_t StartFromKnown(const WindowsPath& path, Located& located, Chain& chain) {
  for (std::size_t count = path.parts.size() + 1; count-- > 0;) {
    const auto* known = RunCache::Folder(RunCache::FolderKey(path.drive, path.parts, count));
    if (!known) continue;
    located.drive = known->drive;
    located.native = known->native;
    located.name = known->name;
    located.holder = known->holder;
    located.linked = known->linked;
    located.passed = known->passed;
    chain = known->chain;
    return count;
  }
  return 0;
}

}  // namespace

std::optional<Located> Locate(const WindowsPath& path) {
  if (AnyWildcards(path)) return std::nullopt;
  Located located;
  located.isDriveRoot = path.parts.empty();
  Chain chain;
  std::size_t i = RunCache::Active() ? StartFromKnown(path, located, chain) : 0;
  if (chain.empty()) {
    auto drive = FindDrive(path.drive);
    if (!drive) return std::nullopt;
    located.drive = std::move(*drive);
    located.native = located.drive.root;
    chain = OpenDriveRoot(located.drive);
    if (!chain.empty()) {
      located.passed.push_back(chain.back().Id());
      RunCache::KeepFolder(RunCache::FolderKey(path.drive, path.parts, 0), Known(located, chain));
    }
  }
  for (; i < path.parts.size(); ++i) {
    const bool last = i + 1 == path.parts.size();
    const Want want = !last || path.trailingSeparator ? Want::Folder : Want::Any;
    if (last && want == Want::Any && !chain.empty()) {
      // A file a listing of this run found is not looked up again.
      if (const auto* file = RunCache::File(chain.back().Id(), path.parts[i])) {
        located.native = JoinNative(located.native, path.parts[i]);
        located.name = path.parts[i];
        located.holder = chain.back();
        located.linked = false;
        located.attributes = file->Attributes();
        chain.push_back(Level{Handle(), path.parts[i], file->Info()});
        located.passed.push_back(chain.back().Id());
        break;
      }
    }
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
    located.name = std::move(spelled);
    located.holder = std::move(holder);
    located.linked = linked;
    if (S_ISDIR(chain.back().info.st_mode))
      RunCache::KeepFolder(RunCache::FolderKey(path.drive, path.parts, i + 1),
                           Known(located, chain));
  }
  if (chain.empty()) return located;
  located.exists = true;
  located.info = chain.back().info;
  located.chain = std::move(chain);
  return located;
}

std::optional<Located> Locate(std::string_view windowsPath) {
  // Within a run, the scans ask about one file several times in a row (is it there, its
  // attributes, its time, then its copy): the last few answers that found something stand
  // until the host changes anything on disk.
  struct Remembered {
    std::string text;
    unsigned run = 0, changes = 0;
    std::optional<Located> located;
  };
  static std::array<Remembered, 4> memo;
  static std::size_t next = 0;
  const unsigned run = RunCache::Generation();
  if (run != 0)
    for (const Remembered& known : memo)
      if (known.run == run && known.changes == RunCache::Changes() && known.text == windowsPath)
        return known.located;
  auto parsed = ParseWindowsPath(windowsPath);
  std::optional<Located> located = parsed ? Locate(*parsed) : std::nullopt;
  // What is not there is not remembered: another program may make it meanwhile (another save
  // making the same save folder), and the host must then find it.
  if (run != 0 && located && located->exists) {
    memo[next] = {std::string(windowsPath), run, RunCache::Changes(), located};
    next = (next + 1) % memo.size();
  }
  return located;
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
