#include "system/posix/VersionText.h"

#include <algorithm>

namespace PosixHost {
namespace {

std::optional<std::uint32_t> Number(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

}  // namespace

std::optional<std::vector<std::uint32_t>> DottedNumbers(std::string_view text, std::size_t least,
                                                        std::size_t most) {
  std::vector<std::uint32_t> numbers;
  for (;;) {
    const std::size_t dot = text.find('.');
    const auto number = Number(text.substr(0, dot));
    if (!number || numbers.size() == most) return std::nullopt;
    numbers.push_back(*number);
    if (dot == std::string_view::npos) break;
    text.remove_prefix(dot + 1);
  }
  if (numbers.size() < least) return std::nullopt;
  return numbers;
}

void SetServicePack(std::string_view text, WindowsApi::VersionRecord& record) {
  std::fill(std::begin(record.csdVersion), std::end(record.csdVersion), '\0');
  const std::size_t kept = std::min(text.size(), sizeof record.csdVersion - 1);
  // No memcpy: without a service pack the text's data() may be null, and memcpy from null is
  // undefined even for no bytes.
  text.copy(record.csdVersion, kept);
}

bool ParseVersionText(std::string_view text, WindowsApi::VersionRecord& record) {
  const std::size_t colon = text.find(':');
  const auto numbers = DottedNumbers(text.substr(0, colon), 3, 3);
  if (!numbers) return false;
  WindowsApi::VersionRecord parsed;
  parsed.platformId = (*numbers)[0];
  parsed.majorVersion = (*numbers)[1];
  parsed.minorVersion = (*numbers)[2];
  SetServicePack(colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1),
                 parsed);
  record = parsed;
  return true;
}

}  // namespace PosixHost
