#pragma once
// A registry export file (.reg) read into memory: the HKEY_LOCAL_MACHINE keys it holds.
#include <cstddef>
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
// key. What the tree holds is counted against a budget of bytes, so a file can never make it
// grow beyond a known multiple of its own size.
class RegistryTree {
 public:
  explicit RegistryTree(std::size_t budget = SIZE_MAX) : left_(budget) {}

  // "software\microsoft" in any case; "" is the hive itself. Null when there is no such key.
  const RegistryKeyData* Find(std::string_view path) const;
  // The key, made with its parents where missing; null when deeper than kMaxKeyDepth or when
  // the keys made would overrun the budget.
  RegistryKeyData* Add(std::string_view path);
  // Sets a value of a key of this tree; false (and nothing set) beyond the budget.
  bool SetValue(RegistryKeyData& key, std::string lowerName, RegistryValue value);
  // Counts bytes held outside the tree while it is made; false beyond the budget.
  bool Charge(std::size_t bytes);
  void Refund(std::size_t bytes) {
    left_ += bytes;
    counted_ -= bytes;
  }
  // What is counted now.
  std::size_t Counted() const { return counted_; }

 private:
  RegistryKeyData hive_;
  std::size_t left_;
  std::size_t counted_ = 0;
};

// The registry's own limit on how deep keys nest.
inline constexpr std::size_t kMaxKeyDepth = 512;

// The most an export's parse holds, for each byte of its text (its 8-bit form): the text, a
// line and the keys and values made of it. Above a small file's allowance of kParseFloor.
inline constexpr std::size_t kParseMemoryPerByte = 8;
inline constexpr std::size_t kParseFloor = 256 << 10;

// "REGEDIT4" or "Windows Registry Editor Version 5.00" text, the latter also as UTF-16LE.
// nullopt when the header is neither, when a key lies deeper than the registry allows (such a
// file cannot come from a registry), or when its keys and values would hold more memory than
// kParseMemoryPerByte allows; lines it cannot read are passed over.
std::optional<RegistryTree> ParseRegistryExport(std::string_view fileBytes);

// A value's data as the 8-bit query gives it, from its type and stored bytes: a single text
// (REG_SZ, REG_EXPAND_SZ) ends with exactly one NUL, read from UTF-16LE when `wideText`;
// REG_MULTI_SZ is kept whole (from UTF-16LE when `wideText`); other types as stored.
RegistryValue StoredValue(std::uint32_t type, const std::string& bytes, bool wideText);

}  // namespace PosixHost
