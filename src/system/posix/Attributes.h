#pragma once
// The Windows attribute bits of what the POSIX file system holds.
#include <sys/stat.h>

#include <cstdint>
#include <string_view>

#include "system/posix/DosAttributes.h"
#include "system/posix/Walk.h"

namespace PosixHost {

struct Located;

// The bits of a regular file or folder at `place`. `name` is the name it is listed by, whose
// leading dot makes it hidden; empty for a drive root, which is never hidden by its name.
std::uint32_t AttributesOf(const EntryPlace& place, std::string_view name,
                           const struct stat& info, DosAttributeReader& dos);

// The bits of an entry whose status was not read, from its kind (folder or file) alone: all but
// the read-only bit, which needs the permission bits.
std::uint32_t VisibilityOf(const EntryPlace& place, std::string_view name, bool folder,
                           DosAttributeReader& dos);

// Where the entry a walk reached keeps its attributes: its own folder and name (a link's
// target's), or its own descriptor for a drive root.
EntryPlace PlaceOf(const Chain& chain);

// The bits of one entry found on its own.
std::uint32_t AttributesOf(const Located& located);

}  // namespace PosixHost
