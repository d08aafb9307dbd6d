#include "hive/HiveLookup.h"

namespace HiveLookup {
namespace {

constexpr std::string_view kMagic = "QFH1";

void PutNumber(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::optional<std::uint32_t> TakeNumber(std::string_view& bytes) {
  if (bytes.size() < 4) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  bytes.remove_prefix(4);
  return value;
}

std::optional<std::uint8_t> TakeByte(std::string_view& bytes) {
  if (bytes.empty()) return std::nullopt;
  const auto byte = static_cast<std::uint8_t>(bytes.front());
  bytes.remove_prefix(1);
  return byte;
}

}  // namespace

const char* KindArgument(Kind kind) { return kind == Kind::Nt ? "nt" : "9x"; }

std::optional<Kind> KindOfArgument(std::string_view argument) {
  if (argument == "nt") return Kind::Nt;
  if (argument == "9x") return Kind::Win9x;
  return std::nullopt;
}

std::string Encode(const Lookup& lookup, bool valueAsked) {
  std::string bytes(kMagic);
  bytes += static_cast<char>(lookup.keyFound ? 1 : 0);
  if (!valueAsked || !lookup.keyFound) return bytes;
  bytes += static_cast<char>(lookup.value);
  if (lookup.value == ValueState::Missing) return bytes;
  PutNumber(bytes, lookup.type);
  PutNumber(bytes, lookup.size);
  if (lookup.value == ValueState::Found) bytes += lookup.data;
  return bytes;
}

std::optional<Lookup> Decode(std::string_view answer, bool valueAsked) {
  if (answer.substr(0, kMagic.size()) != kMagic) return std::nullopt;
  answer.remove_prefix(kMagic.size());
  Lookup lookup;
  const auto key = TakeByte(answer);
  if (!key || *key > 1) return std::nullopt;
  lookup.keyFound = *key == 1;
  if (valueAsked && lookup.keyFound) {
    const auto state = TakeByte(answer);
    if (!state || *state > 2) return std::nullopt;
    lookup.value = static_cast<ValueState>(*state);
    if (lookup.value != ValueState::Missing) {
      const auto type = TakeNumber(answer);
      const auto size = TakeNumber(answer);
      if (!type || !size) return std::nullopt;
      lookup.type = *type;
      lookup.size = *size;
      if (lookup.value == ValueState::Found) {
        if (*size > kLargestValue || answer.size() < *size) return std::nullopt;
        lookup.data = std::string(answer.substr(0, *size));
        answer.remove_prefix(*size);
      } else if (*size <= kLargestValue) {
        return std::nullopt;  // "too large" for a value that is not
      }
    }
  }
  if (!answer.empty()) return std::nullopt;
  return lookup;
}

}  // namespace HiveLookup
