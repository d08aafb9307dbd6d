#pragma once
// A registry export file (.reg) read into memory: the HKEY_LOCAL_MACHINE keys it holds.
#include <cstdint>
#include <map>
#include <memory>
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
  // By lower-case name. Each key holds only its own name, so memory grows with the file's
  // size, however deep its keys are.
  std::map<std::string, std::unique_ptr<RegistryKeyData>> subkeys;
};

// The keys below HKEY_LOCAL_MACHINE. A key's parents exist even where the file names only the
// key.
class RegistryTree {
 public:
  // "software\microsoft" in any case; "" is the hive itself. Null when there is no such key.
  const RegistryKeyData* Find(std::string_view path) const;
  // The key, made with its parents where missing; null when deeper than kMaxKeyDepth.
  RegistryKeyData* Add(std::string_view path);

 private:
  RegistryKeyData hive_;
};

// The registry's own limit on how deep keys nest.
inline constexpr std::size_t kMaxKeyDepth = 512;

// "REGEDIT4" or "Windows Registry Editor Version 5.00" text, the latter also as UTF-16LE.
// nullopt when the header is neither, or when a key lies deeper than the registry allows
// (such a file cannot come from a registry); lines it cannot read are passed over.
std::optional<RegistryTree> ParseRegistryExport(std::string_view fileBytes);

}  // namespace PosixHost
