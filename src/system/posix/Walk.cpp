#include "system/posix/Walk.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "system/posix/MachineArea.h"
#include "system/posix/NameIndex.h"
#include "system/NativePath.h"

namespace PosixHost {
namespace {

// As many links as Linux itself follows in one path.
constexpr int kMaxLinks = 40;

std::optional<Level> OpenHere(const Level& folder, std::string_view name) {
  const std::string own(name);
  Level level{Handle::Adopt(openat(folder.fd.get(), own.c_str(),
                                   O_PATH | O_NOFOLLOW | O_CLOEXEC)),
              own};
  if (!level.fd || fstat(level.fd.get(), &level.info) != 0) return std::nullopt;
  return level;
}

std::optional<std::string> LinkText(const Level& link) {
  std::string text(256, '\0');
  for (;;) {
    // An O_PATH descriptor of the link itself, read with an empty name.
    const ssize_t size = readlinkat(link.fd.get(), "", text.data(), text.size());
    if (size < 0) return std::nullopt;
    if (static_cast<std::size_t>(size) < text.size()) {
      text.resize(static_cast<std::size_t>(size));
      return text;
    }
    if (text.size() > (1u << 16)) return std::nullopt;
    text.resize(text.size() * 2);
  }
}

// `target` without the folder `anchor`, when it names that folder or lies below it as
// written; nullopt otherwise.
std::optional<std::vector<std::string_view>> Below(std::string_view target,
                                                   std::string_view anchor) {
  const auto names = NativeNames(target);
  const auto prefix = NativeNames(anchor);
  if (names.size() < prefix.size()) return std::nullopt;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (names[i] != prefix[i]) return std::nullopt;
  return std::vector<std::string_view>(names.begin() + prefix.size(), names.end());
}

class Walker {
 public:
  explicit Walker(const Drive& drive) : drive_(drive) {}

  Found Step(Chain& chain, std::string_view name, bool caseBlind, Want want,
             std::string* spelled, bool* linked) {
    if (name == "..") {
      // Inside a link's target: never above the folder the rules anchor it to.
      if (chain.size() <= anchor_ + 1) return Found::Refused;
      chain.pop_back();
      return Found::Entered;
    }
    // A name the run knows the folder does not hold, in any case, is not looked for.
    if (caseBlind && KnownAbsent(chain.back(), name)) return Found::Missing;
    Found found = Found::Missing;
    if (auto level = OpenHere(chain.back(), name)) {
      if (Enter(chain, *level, want, linked)) {
        if (spelled) *spelled = std::string(name);
        return Found::Entered;
      }
      found = Found::Refused;
    }
    if (!caseBlind) return found;
    // Old disks mounted on Linux are often case-sensitive; Windows never is.
    for (const std::string& variant : CaseVariantsOf(chain.back(), name)) {
      auto level = OpenHere(chain.back(), variant);
      if (!level) continue;
      if (Enter(chain, *level, want, linked)) {
        if (spelled) *spelled = variant;
        return Found::Entered;
      }
      found = Found::Refused;
    }
    return found;
  }

  // Into the link `link`, which stands in the folder at the end of `chain`.
  bool Follow(Chain& chain, const Level& link) {
    if (++links_ > kMaxLinks || IsMachineEntry(link.fd.get(), link.info)) return false;
    const auto target = LinkText(link);
    if (!target || target->empty()) return false;
    // On the drive that maps "/", a link may only lead further into its own folder; on any
    // other, anywhere inside the drive.
    const std::size_t anchor = drive_.real == "/" ? chain.size() - 1 : 0;
    Chain walk;
    std::vector<std::string_view> names;
    if (target->front() == '/') {
      const Chain anchored(chain.begin(), chain.begin() + static_cast<long>(anchor) + 1);
      auto below = Below(*target, RealPathOf(drive_, anchored));
      // A target may name the drive as configured, through a link the drive's folder has.
      if (!below && anchor == 0) below = Below(*target, drive_.root);
      if (!below) return false;
      walk = anchored;
      names = std::move(*below);
    } else {
      walk = chain;
      names = NativeNames(*target);
    }
    const std::size_t outer = anchor_;
    anchor_ = anchor;
    bool ok = true;
    for (std::string_view name : names)
      if (!(ok = Step(walk, name, false, Want::Any, nullptr, nullptr) == Found::Entered)) break;
    anchor_ = outer;
    if (!ok) return false;
    chain = std::move(walk);
    return true;
  }

 private:
  bool Enter(Chain& chain, const Level& level, Want want, bool* linked) {
    Chain next = chain;
    if (S_ISLNK(level.info.st_mode)) {
      if (!Follow(next, level)) return false;
      if (linked) *linked = true;
    } else {
      if (!IsFileOrFolder(level.info) || IsMachineEntry(level.fd.get(), level.info)) return false;
      if (linked) *linked = false;
      next.push_back(level);
    }
    if (want == Want::Folder && !S_ISDIR(next.back().info.st_mode)) return false;
    chain = std::move(next);
    return true;
  }

  const Drive& drive_;
  int links_ = 0;
  std::size_t anchor_ = 0;
};

}  // namespace

Chain OpenDriveRoot(const Drive& drive) {
  Level root{Handle::Adopt(open(drive.real.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)), ""};
  if (!root.fd || fstat(root.fd.get(), &root.info) != 0 || !S_ISDIR(root.info.st_mode) ||
      IsMachineEntry(root.fd.get(), root.info))
    return {};
  return Chain{std::move(root)};
}

Found EntryAt(const Drive& drive, Chain& chain, std::string_view name, Want want,
              std::string* spelled, bool* linked) {
  if (chain.empty() || name.empty() || name == "." || name == "..") return Found::Refused;
  return Walker(drive).Step(chain, name, true, want, spelled, linked);
}

bool FollowLink(const Drive& drive, Chain& chain, std::string_view name) {
  if (chain.empty()) return false;
  auto link = OpenHere(chain.back(), name);
  if (!link || !S_ISLNK(link->info.st_mode)) return false;
  Chain next = chain;
  if (!Walker(drive).Follow(next, *link) || !IsFileOrFolder(next.back().info)) return false;
  chain = std::move(next);
  return true;
}

Handle OpenForReading(const Chain& chain, struct stat* status) {
  if (chain.empty()) return {};
  const Level& entry = chain.back();
  Handle opened;
  struct stat now = entry.info;
  if (S_ISDIR(entry.info.st_mode) && entry.fd) {
    // "." of an open folder is that folder.
    opened = Handle::Adopt(openat(entry.fd.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  } else if (S_ISREG(entry.info.st_mode) && chain.size() > 1) {
    // Judged already, by the status of its open descriptor or by a listing's, without ever
    // opening it for reading: now opened by its name in its folder, never through a link and
    // never waiting, and it must be what was judged. (Whatever else stands there now, even a
    // device put in its place in between, is closed unread.)
    opened = Handle::Adopt(openat(chain[chain.size() - 2].fd.get(), entry.name.c_str(),
                                  O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (opened && (fstat(opened.get(), &now) != 0 || FileId::Of(now) != entry.Id())) {
      errno = ESTALE;
      return {};
    }
  }
  if (!opened) return {};
  if (status) *status = now;
  return opened;
}

std::string RealPathOf(const Drive& drive, const Chain& chain) {
  std::string real = drive.real;
  for (std::size_t i = 1; i < chain.size(); ++i) real = JoinNative(real, chain[i].name);
  return real;
}

}  // namespace PosixHost
