#include "system/posix/Attributes.h"

#include "system/WindowsApi.h"
#include "system/posix/LocalClock.h"
#include "system/posix/PathResolve.h"

namespace PosixHost {

using namespace WindowsApi;

namespace {

// `info` is null when the entry's status was not read (only its kind is known): the read-only
// bit, which comes from the permission bits, is then left out.
std::uint32_t Attributes(const EntryPlace& place, std::string_view name, bool folder,
                         const struct stat* info, DosAttributeReader& dos) {
  std::uint32_t bits = 0;
  if (folder) bits |= kAttrDirectory;
  // POSIX keeps no read-only flag; a file its owner may not write stands for one.
  if (info && !(info->st_mode & S_IWUSR)) bits |= kAttrReadOnly;
  // POSIX hides dot-names by convention; "." and ".." are the folder entries, never hidden.
  if (!name.empty() && name.front() == '.' && name != "." && name != "..") bits |= kAttrHidden;
  if (auto dosBits = dos.Read(place)) {
    bits |= *dosBits & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
  } else if (!folder) {
    bits |= kAttrArchive;  // Windows sets it on every write; POSIX keeps no such flag
  }
  return bits == 0 ? kAttrNormal : bits;
}

}  // namespace

std::uint32_t AttributesOf(const EntryPlace& place, std::string_view name,
                           const struct stat& info, DosAttributeReader& dos) {
  return Attributes(place, name, S_ISDIR(info.st_mode), &info, dos);
}

std::uint32_t VisibilityOf(const EntryPlace& place, std::string_view name, bool folder,
                           DosAttributeReader& dos) {
  return Attributes(place, name, folder, nullptr, dos);
}

EntryPlace PlaceOf(const Chain& chain) {
  if (chain.size() < 2) return {chain.empty() ? -1 : chain.back().fd.get(), {}};
  return {chain[chain.size() - 2].fd.get(), chain.back().name};
}

std::uint32_t AttributesOf(const Located& located) {
  if (located.attributes) return *located.attributes;
  // A file a listing found is held by its status alone; its folder lies on its file system.
  const Chain& chain = located.chain;
  const Level& held = chain.back().fd || chain.size() < 2 ? chain.back() : chain[chain.size() - 2];
  DosAttributeReader dos(FsKindOf(held.fd.get(), located.info.st_dev));
  return AttributesOf(PlaceOf(chain), located.name, located.info, dos);
}

}  // namespace PosixHost

namespace WindowsApi {

std::uint32_t FileAttributes(const std::string& path) {
  auto located = PosixHost::Locate(path);
  if (!located || !located->exists) return kInvalidAttributes;
  return PosixHost::AttributesOf(*located);
}

std::optional<LocalTime> ModifiedTime(const std::string& path) {
  auto located = PosixHost::Locate(path);
  if (!located || !located->exists) return std::nullopt;
  return PosixHost::ToLocalTime(located->info.st_mtim.tv_sec);
}

}  // namespace WindowsApi
