#pragma once
// A registry export file (.reg) read into memory: the HKEY_LOCAL_MACHINE keys it holds.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace PosixHost {

struct RegistryValue {
  std::uint32_t type = 0;
  std::string data;  // the bytes RegQueryValueExA gives: 8-bit text ends with its NUL
};

struct RegistryKeyData {
  std::map<std::string, RegistryValue> values;  // by lower-case name; "" is the default (@)
};

// Keys by lower-case path below HKEY_LOCAL_MACHINE ("software\microsoft"); "" is the hive
// itself. A key's parents exist even where the file names only the key.
using RegistryTree = std::map<std::string, RegistryKeyData>;

// "REGEDIT4" or "Windows Registry Editor Version 5.00" text, the latter also as UTF-16LE.
// nullopt when the header is neither; lines it cannot read are passed over.
std::optional<RegistryTree> ParseRegistryExport(std::string_view fileBytes);

}  // namespace PosixHost
