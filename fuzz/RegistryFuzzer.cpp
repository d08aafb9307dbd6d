// Any bytes through the registry export reader; a tree it accepts must keep what it promises.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "system/WindowsApi.h"
#include "system/posix/AsciiText.h"
#include "system/posix/RegistryFile.h"

namespace {

using PosixHost::RegistryKeyData;
using PosixHost::RegistryTree;

bool SameKey(const RegistryKeyData& a, const RegistryKeyData& b) {
  if (a.values.size() != b.values.size() || a.subkeys.size() != b.subkeys.size()) return false;
  for (auto i = a.values.begin(), j = b.values.begin(); i != a.values.end(); ++i, ++j)
    if (i->first != j->first || i->second.type != j->second.type ||
        i->second.data != j->second.data)
      return false;
  for (auto i = a.subkeys.begin(), j = b.subkeys.begin(); i != a.subkeys.end(); ++i, ++j)
    if (i->first != j->first || !SameKey(*i->second, *j->second)) return false;
  return true;
}

bool SameTree(const std::optional<RegistryTree>& a, const std::optional<RegistryTree>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || SameKey(*a->Find(""), *b->Find(""));
}

struct Walk {
  const RegistryTree& tree;
  std::size_t keys = 0;

  // `key` lies `depth` levels below the hive, at `path` (lower case, names joined by "\").
  void Visit(const RegistryKeyData& key, const std::string& path, std::size_t depth) {
    FUZZ_CHECK(depth <= PosixHost::kMaxKeyDepth, "no key lies deeper than the registry allows");
    for (const auto& [name, value] : key.values) {
      FUZZ_CHECK(name == PosixHost::LowerAsciiText(name), "value names are kept in lower case");
      if (value.type == WindowsApi::kRegSz || value.type == WindowsApi::kRegExpandSz)
        FUZZ_CHECK(!value.data.empty() && value.data.back() == '\0',
                   "8-bit text ends with its NUL");
    }
    for (const auto& [name, subkey] : key.subkeys) {
      FUZZ_CHECK(subkey != nullptr, "every key holds its data");
      FUZZ_CHECK(name.find('\\') == std::string::npos && name == PosixHost::LowerAsciiText(name),
                 "a key holds one lower-case name");
      ++keys;
      const std::string below = depth == 0 ? name : path + '\\' + name;
      if (subkey->subkeys.empty())  // a leaf: its whole path finds it, in any case
        FUZZ_CHECK(tree.Find(SwapAsciiCase(below)) == subkey.get(), "a key is found by its path");
      Visit(*subkey, below, depth + 1);
    }
  }
};

bool IsPlainAscii(std::string_view bytes) {
  for (char c : bytes)
    if (c == '\0' || static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string Utf16LeWithMark(std::string_view ascii) {
  std::string wide = "\xFF\xFE";
  for (char c : ascii) {
    wide += c;
    wide += '\0';
  }
  return wide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<RegistryTree> tree = PosixHost::ParseRegistryExport(bytes);

  // Version 5 files are mostly UTF-16LE: the same text in either encoding reads alike.
  if (IsPlainAscii(bytes))
    FUZZ_CHECK(SameTree(PosixHost::ParseRegistryExport(Utf16LeWithMark(bytes)), tree),
               "an ASCII export and its UTF-16LE form read alike");

  if (!tree) return 0;
  FUZZ_CHECK(tree->Find("") != nullptr, "the hive itself is always there");
  Walk walk{*tree};
  walk.Visit(*tree->Find(""), "", 0);
  // Each key takes at least one byte of the file, so memory grows with the file's size.
  FUZZ_CHECK(walk.keys <= size, "no more keys than bytes");
  return 0;
}
