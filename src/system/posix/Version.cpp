#include "system/posix/Version.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

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

bool ParseVersionText(std::string_view text, WindowsApi::VersionRecord& record) {
  const std::size_t colon = text.find(':');
  const std::string_view numbers = text.substr(0, colon);
  const std::string_view servicePack =
      colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);

  const std::size_t firstDot = numbers.find('.');
  if (firstDot == std::string_view::npos) return false;
  const std::size_t secondDot = numbers.find('.', firstDot + 1);
  if (secondDot == std::string_view::npos) return false;
  auto platform = Number(numbers.substr(0, firstDot));
  auto major = Number(numbers.substr(firstDot + 1, secondDot - firstDot - 1));
  auto minor = Number(numbers.substr(secondDot + 1));
  if (!platform || !major || !minor) return false;

  WindowsApi::VersionRecord parsed;
  parsed.platformId = *platform;
  parsed.majorVersion = *major;
  parsed.minorVersion = *minor;
  const std::size_t kept = std::min(servicePack.size(), sizeof parsed.csdVersion - 1);
  // No memcpy: without a service pack the text's data() may be null, and memcpy from null is
  // undefined even for no bytes.
  servicePack.copy(parsed.csdVersion, kept);
  record = parsed;
  return true;
}

}  // namespace PosixHost

namespace WindowsApi {

bool QueryVersion(VersionRecord& record) {
  // A POSIX machine has no Windows version of its own; the variable says which one to be.
  const char* text = std::getenv("QUILLFEN_WINVER");
  return text && PosixHost::ParseVersionText(text, record);
}

}  // namespace WindowsApi
