#pragma once
// What the registry reader (quillfen-read-hive) is asked and how it answers: one key of a
// registry file, and at most one of its values. The POSIX host runs the reader in a child
// process (system/posix/HiveReader.h); this is the whole of what passes between the two.
//
//   quillfen-read-hive nt|9x KEY [VALUE]      the file open on descriptor 3
//
// KEY is a path of key names below the file's root, separated by "\" ("" is the root).
// The answer, on standard output, with exit status 0: "QFH1", a byte saying whether the key
// exists, then, when a value was asked and the key exists, a byte saying whether the value
// exists; a value that exists follows as its type, its size (both 32-bit, little-endian) and
// its bytes. Any other exit, or any other output, means the file could not be read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace HiveLookup {

enum class Kind { Nt, Win9x };
// The reader's first argument for each kind, and back.
const char* KindArgument(Kind kind);
std::optional<Kind> KindOfArgument(std::string_view argument);

enum class ValueState : std::uint8_t { Missing = 0, Found = 1, TooLarge = 2 };

// The largest registry file read: real SOFTWARE hives of the time stay far below it.
inline constexpr long kLargestFile = 1024l << 20;
// Values larger than this are not handed back: nothing the host asks for comes near it.
inline constexpr std::uint32_t kLargestValue = 1u << 20;

struct Lookup {
  bool keyFound = false;
  ValueState value = ValueState::Missing;  // when a value was asked and the key exists
  std::uint32_t type = 0;                  // when Found
  std::uint32_t size = 0;                  // when Found or TooLarge: the value's size in bytes
  std::string data;                        // when Found: the value's bytes as the file holds
                                           // them (9x text: UTF-8, from the file's code page)
};

std::string Encode(const Lookup& lookup, bool valueAsked);
// nullopt for an answer that is not exactly of the form above.
std::optional<Lookup> Decode(std::string_view answer, bool valueAsked);

// The longest answer a reader can give.
inline constexpr std::size_t kLongestAnswer = 4 + 1 + 1 + 8 + kLargestValue;

}  // namespace HiveLookup
