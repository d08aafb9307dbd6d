#include "cli/Containment.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <optional>

#include "cli/MountRoots.h"
#include "system/posix/MachineArea.h"

namespace Cli {
namespace {

// Deeper than any real tree: a walk that gets this far has met something odd.
constexpr int kMaxDepth = 4096;

struct Identity {
  dev_t device;
  ino_t inode;
  bool operator==(const Identity&) const = default;
};

std::optional<Identity> IdentityOf(int fd) {
  struct stat info;
  if (fstat(fd, &info) != 0) return std::nullopt;
  return Identity{info.st_dev, info.st_ino};
}

// The mount a folder is reached through; nullopt on kernels older than 5.8, which do not say.
std::optional<std::uint64_t> MountOf(int fd) {
  struct statx info;
  if (statx(fd, "", AT_EMPTY_PATH, STATX_MNT_ID, &info) != 0 || !(info.stx_mask & STATX_MNT_ID))
    return std::nullopt;
  return info.stx_mnt_id;
}

Handle OpenAt(int folder, const char* name, int flags = 0) {
  return Handle::Adopt(openat(folder, name, O_PATH | O_DIRECTORY | O_CLOEXEC | flags));
}

// Whether ".." from `folder` (`id`) to `parent` left a mount: then `folder` is that mount's root.
bool IsMountRoot(int folder, const Identity& id, int parent, const Identity& parentId) {
  const auto own = MountOf(folder);
  const auto above = MountOf(parent);
  if (own && above) return *own != *above;
  return id.device != parentId.device;  // without mount ids only a new disk shows
}

// The root of the mount `folder` is reached through, found by going up while ".." stays in it.
Handle RootOfMountOf(int folder) {
  Handle current = OpenAt(folder, ".");
  for (int depth = 0; current && depth < kMaxDepth; ++depth) {
    Handle parent = OpenAt(current.get(), "..");
    const auto id = IdentityOf(current.get());
    const auto parentId = parent ? IdentityOf(parent.get()) : std::nullopt;
    if (!id || !parentId) return {};
    if (*id == *parentId || IsMountRoot(current.get(), *id, parent.get(), *parentId))
      return current;
    current = std::move(parent);
  }
  return {};
}

// ".." from a mount's root leaves its file system for the folder it is mounted on, so the
// folders above a bind mount's root in its own file system are never met on the way up. They
// are the names the mount table gives for that root; when outer's own mount holds them, they
// are walked down from its root, looking for outer on the way.
Placement MountRootWithin(int mountRoot, const Identity& rootId, int outer,
                          const Identity& outerId) {
  if (rootId.device != outerId.device) return Placement::Outside;  // another file system
  const auto mount = MountOf(mountRoot);
  Handle top = RootOfMountOf(outer);
  const auto outerMount = top ? MountOf(top.get()) : std::nullopt;
  if (!mount || !outerMount) return Placement::Unknown;
  // Outer's own mount: the walk up has passed through every folder above this one.
  if (*mount == *outerMount) return Placement::Outside;
  const auto names = MountRootNames(*mount);
  const auto topNames = MountRootNames(*outerMount);
  if (!names || !topNames) return Placement::Unknown;
  // Outer lies at or below its mount's root; the bind mount's root must lie below that too.
  if (names->size() < topNames->size() ||
      !std::equal(topNames->begin(), topNames->end(), names->begin()))
    return Placement::Outside;
  Handle current = std::move(top);
  for (std::size_t step = topNames->size();; ++step) {
    const auto id = IdentityOf(current.get());
    if (!id || MountOf(current.get()) != outerMount) return Placement::Unknown;
    if (*id == outerId) return Placement::Inside;
    if (step == names->size()) return *id == rootId ? Placement::Outside : Placement::Unknown;
    current = OpenAt(current.get(), (*names)[step].c_str(), O_NOFOLLOW);
    if (!current) return Placement::Unknown;
  }
}

}  // namespace

Handle OpenFolder(const std::string& path) {
  return Handle::Adopt(open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

bool SameFolder(int one, int other) {
  const auto first = IdentityOf(one);
  return first && first == IdentityOf(other);
}

Placement LiesWithin(int inner, int outer) {
  const auto outerId = IdentityOf(outer);
  Handle current = OpenAt(inner, ".");
  if (!outerId || !current) return Placement::Unknown;
  Placement placement = Placement::Outside;
  for (int depth = 0; depth < kMaxDepth; ++depth) {
    const auto id = IdentityOf(current.get());
    if (!id) return Placement::Unknown;
    if (*id == *outerId) return Placement::Inside;
    Handle parent = OpenAt(current.get(), "..");
    const auto parentId = parent ? IdentityOf(parent.get()) : std::nullopt;
    if (!parentId) return Placement::Unknown;
    const bool top = *parentId == *id;  // the process's "/"
    if (top || IsMountRoot(current.get(), *id, parent.get(), *parentId)) {
      const Placement above = MountRootWithin(current.get(), *id, outer, *outerId);
      if (above == Placement::Inside) return above;
      if (above == Placement::Unknown) placement = above;
    }
    if (top) return placement;
    current = std::move(parent);
  }
  return Placement::Unknown;
}

bool InMachineArea(int folder) {
  struct stat info;
  // What cannot be told is not taken for a disk.
  return fstat(folder, &info) != 0 || PosixHost::IsMachineEntry(folder, info);
}

}  // namespace Cli
