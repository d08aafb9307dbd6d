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

FsKind FsKindOf(const std::string& native);
// The same for an entry on the file system with that device number, asked of the kernel once
// per device: every entry of a scan would otherwise cost a statfs of its own.
FsKind FsKindOf(const std::string& native, dev_t device);
FsKind FsKindOfDescriptor(int fd);

// "0x22" (and the binary record that starts with that text) -> 0x22.
std::optional<std::uint32_t> ParseDosAttribText(std::string_view text);

// Reads the bits of the regular files and folders of one file system; remembers when the
// file system refuses extended attributes, so a big listing asks only once.
class DosAttributeReader {
 public:
  explicit DosAttributeReader(FsKind kind) : kind_(kind) {}
  // nullopt when the file system keeps no DOS attributes for the entry.
  std::optional<std::uint32_t> Read(const std::string& native);

 private:
  FsKind kind_;
  bool noExtendedAttributes_ = false;
};

}  // namespace PosixHost
