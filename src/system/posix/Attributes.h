#pragma once
// The Windows attribute bits of what the POSIX file system holds.
#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "system/posix/DosAttributes.h"

namespace PosixHost {

// The bits of a regular file or folder at `native`. `name` is its on-disk name, whose leading
// dot makes it hidden; empty for a drive root, which is never hidden by its name.
std::uint32_t AttributesOf(const std::string& native, std::string_view name,
                           const struct stat& info, DosAttributeReader& dos);

// The bits of an entry whose status was not read, from its kind (folder or file) alone: all but
// the read-only bit, which needs the permission bits.
std::uint32_t VisibilityOf(const std::string& native, std::string_view name, bool folder,
                           DosAttributeReader& dos);

// The same, for one entry on its own.
std::uint32_t AttributesOf(const std::string& native, std::string_view name,
                           const struct stat& info);

}  // namespace PosixHost
