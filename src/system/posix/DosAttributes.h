#pragma once
// DOS attribute bits that some file systems keep beside the POSIX ones: the FAT attribute
// byte of vfat/msdos, NTFS's own attribute word, and the user.DOSATTRIB extended attribute
// that file servers write as "0xNN" on any file system.
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace PosixHost {

enum class FsKind { Fat, Ntfs, Other };

// The kind of file system an open descriptor lies on, asked of the kernel once per device:
// every entry of a scan would otherwise cost a statfs of its own.
FsKind FsKindOf(int fd, dev_t device);

// Where an entry's DOS attributes are asked for: the folder that holds it, held open, and its
// name there; a drive root is asked through its own descriptor and no name.
struct EntryPlace {
  int folder = -1;
  std::string_view name;
};

// "0x22" (and the binary record that starts with that text) -> 0x22.
std::optional<std::uint32_t> ParseDosAttribText(std::string_view text);

// Reads the bits of the regular files and folders of one file system; remembers when the
// file system refuses extended attributes, so a big listing asks only once.
class DosAttributeReader {
 public:
  explicit DosAttributeReader(FsKind kind) : kind_(kind) {}
  // nullopt when the file system keeps no DOS attributes for the entry.
  std::optional<std::uint32_t> Read(const EntryPlace& place);

 private:
  FsKind kind_;
  bool noExtendedAttributes_ = false;
};

}  // namespace PosixHost
