#pragma once
// A registry key as a test lays it out, to be written as a real registry file: an NT hive
// (NtHive.h) or a Windows 95/98/Me one (Win9xRegistry.h). Plain C++, no test framework, so the
// demo's tool can write its drives' registries too.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hivefixture {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegDword = 4;

struct HiveValue {
  std::string name;  // 8-bit; empty is the key's default value
  std::uint32_t type = kRegSz;
  std::string data;  // the bytes as the file stores them
};

struct HiveKey {
  std::string name;  // 8-bit (ASCII or Latin-1)
  std::vector<HiveValue> values;
  std::vector<HiveKey> subkeys;  // in the order they are written

  // The key at a path of names below this one ("Microsoft\Windows"), made where missing.
  // Names are matched without regard to case, as the registry matches them; a key keeps the
  // case it was made with.
  HiveKey& At(std::string_view path);
  // Adds a value (a second one of the same name too: the writers write what they are given).
  HiveKey& Set(std::string name, std::uint32_t type, std::string data);
};

// Text as each kind of file stores it: UTF-16LE in an NT hive, 8-bit in a 9x file, each with
// its terminating NUL. The text is Latin-1.
std::string NtText(std::string_view text);
std::string Win9xText(std::string_view text);

}  // namespace hivefixture
