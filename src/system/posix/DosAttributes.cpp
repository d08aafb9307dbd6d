#include "system/posix/DosAttributes.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <vector>

namespace PosixHost {
namespace {

constexpr long kNtfs3Magic = 0x5346544e;  // "NTFS", not in every kernel header

FsKind KindOfMagic(long magic) {
  if (magic == MSDOS_SUPER_MAGIC) return FsKind::Fat;
  // ntfs-3g shows as a FUSE block file system; its attribute word is asked for by name, and
  // any other FUSE file system just answers that it has none.
  if (magic == kNtfs3Magic || magic == FUSE_SUPER_MAGIC) return FsKind::Ntfs;
  return FsKind::Other;
}

// The entry through its folder's open descriptor ("/proc/self/fd/N/name"): its folder is the
// one that was judged, whatever its path leads to now.
std::string PlacePath(const EntryPlace& place) {
  std::string path = "/proc/self/fd/" + std::to_string(place.folder);
  if (!place.name.empty()) path += "/" + std::string(place.name);
  return path;
}

#ifndef SYS_getxattrat
#define SYS_getxattrat 464  // the same number on every architecture, from Linux 6.13
#endif

struct XattrArgs {
  std::uint64_t value;
  std::uint32_t size;
  std::uint32_t flags;
};

// An attribute of the entry named in its open folder, asked relative to that folder in one
// call where the kernel can (getxattrat, Linux 6.13); elsewhere through the folder's
// descriptor in /proc. A drive root is its own folder's descriptor; a named entry is never
// read through a link of its own.
ssize_t GetAttribute(const EntryPlace& place, const char* key, void* value, std::size_t size) {
  static bool relative = true;
  if (relative && !place.name.empty()) {
    const std::string name(place.name);
    XattrArgs args{reinterpret_cast<std::uintptr_t>(value), static_cast<std::uint32_t>(size), 0};
    const long got = syscall(SYS_getxattrat, place.folder, name.c_str(), AT_SYMLINK_NOFOLLOW, key,
                             &args, sizeof args);
    if (got >= 0 || (errno != ENOSYS && errno != EPERM)) return got;
    relative = false;  // an older kernel, or a sandbox that forbids the call
  }
  const std::string path = PlacePath(place);
  return place.name.empty() ? getxattr(path.c_str(), key, value, size)
                            : lgetxattr(path.c_str(), key, value, size);
}

std::optional<std::uint32_t> ReadFatAttributes(const EntryPlace& place) {
  // O_NONBLOCK: should the entry have been swapped for a FIFO since it was looked at, the
  // open must not hang; the fstat below then turns it away before any ioctl.
  const int fd = place.name.empty()
                     ? openat(place.folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                     : open(PlacePath(place).c_str(),
                            O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::uint32_t> bits;
  struct stat info;
  __u32 value = 0;
  if (fstat(fd, &info) == 0 && (S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)) &&
      ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &value) == 0) {
    bits = value;
  }
  close(fd);
  return bits;
}

std::optional<std::uint32_t> ReadNtfsAttributes(const EntryPlace& place) {
  unsigned char word[4];
  if (GetAttribute(place, "system.ntfs_attrib", word, sizeof word) != sizeof word)
    return std::nullopt;
  return word[0] | (word[1] << 8) | (word[2] << 16) | (static_cast<std::uint32_t>(word[3]) << 24);
}

}  // namespace

FsKind FsKindOf(int fd, dev_t device) {
  static std::map<dev_t, FsKind> known;
  if (auto found = known.find(device); found != known.end()) return found->second;
  struct statfs info;
  const FsKind kind = fstatfs(fd, &info) == 0 ? KindOfMagic(info.f_type) : FsKind::Other;
  known.emplace(device, kind);
  return kind;
}

std::optional<std::uint32_t> ParseDosAttribText(std::string_view text) {
  if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
    return std::nullopt;
  std::uint32_t value = 0;
  std::size_t digits = 0;
  for (std::size_t i = 2; i < text.size() && digits < 8; ++i, ++digits) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else break;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  if (digits == 0) return std::nullopt;
  return value;
}

std::optional<std::uint32_t> DosAttributeReader::Read(const EntryPlace& place) {
  if (kind_ == FsKind::Fat) return ReadFatAttributes(place);
  if (kind_ == FsKind::Ntfs) {
    if (auto bits = ReadNtfsAttributes(place)) return bits;
  }
  if (noExtendedAttributes_) return std::nullopt;
  // Only the leading "0xNN" text matters; newer file servers follow it with a binary record.
  std::vector<char> text(256);
  ssize_t size = GetAttribute(place, "user.DOSATTRIB", text.data(), text.size());
  if (size < 0 && errno == ERANGE) {
    const ssize_t needed = GetAttribute(place, "user.DOSATTRIB", nullptr, 0);
    if (needed > 0) {
      text.resize(static_cast<std::size_t>(needed));
      size = GetAttribute(place, "user.DOSATTRIB", text.data(), text.size());
    }
  }
  if (size < 0) {
    if (errno == ENOTSUP) noExtendedAttributes_ = true;
    return std::nullopt;
  }
  return ParseDosAttribText(std::string_view(text.data(), static_cast<std::size_t>(size)));
}

}  // namespace PosixHost
