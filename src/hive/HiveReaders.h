#pragma once
// The two libraries the registry reader stands on, each behind one call.
#include <optional>
#include <string>
#include <vector>

#include "hive/HiveLookup.h"

namespace HiveReaders {

// One key, and one of its values when `value` is given, of the registry file open on `fd`.
// nullopt when the library cannot read the file.
// An NT hive, through libhivex.
std::optional<HiveLookup::Lookup> LookUpNt(int fd, const std::vector<std::string>& keyNames,
                                           const std::optional<std::string>& value);
// A 9x SYSTEM.DAT of `size` bytes, through libcreg, from memory.
std::optional<HiveLookup::Lookup> LookUpWin9x(int fd, std::size_t size,
                                              const std::vector<std::string>& keyNames,
                                              const std::optional<std::string>& value);

}  // namespace HiveReaders
