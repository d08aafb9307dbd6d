// The clock and its text in the user's regional format (LC_TIME).
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <locale.h>

#include "system/WindowsApi.h"
#include "system/posix/LocalClock.h"

namespace PosixHost {
namespace {

// The locale the user asked for, as setlocale would choose it: LC_ALL, LC_TIME, LANG.
std::string WantedTimeLocale() {
  for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return "C";
}

// A locale object of its own, so the process's global locale is never changed. Made again
// only when the environment asks for another one; an unknown name falls back to "C".
locale_t TimeLocale() {
  static std::string cachedName;
  static locale_t cached = nullptr;
  const std::string wanted = WantedTimeLocale();
  if (cached && wanted == cachedName) return cached;
  locale_t made = newlocale(LC_TIME_MASK, wanted.c_str(), nullptr);
  if (!made) made = newlocale(LC_TIME_MASK, "C", nullptr);
  if (!made) return nullptr;
  if (cached) freelocale(cached);
  cached = made;
  cachedName = wanted;
  return cached;
}

// Out-of-range fields roll over (month 13 is January next year) rather than reach the
// formatter, which indexes month and weekday names with them.
std::tm Normalised(const WindowsApi::LocalTime& time) {
  std::tm parts{};
  parts.tm_year = time.year - 1900;
  parts.tm_mon = time.month - 1;
  parts.tm_mday = time.day;
  parts.tm_hour = time.hour;
  parts.tm_min = time.minute;
  parts.tm_sec = time.second;
  const std::time_t seconds = timegm(&parts);
  std::tm normal{};
  if (!gmtime_r(&seconds, &normal)) return parts;
  return normal;
}

std::string Formatted(const WindowsApi::LocalTime& time, const char* format) {
  const std::tm parts = Normalised(time);
  char text[256];
  const locale_t locale = TimeLocale();
  const std::size_t size = locale ? strftime_l(text, sizeof text, format, &parts, locale)
                                   : std::strftime(text, sizeof text, format, &parts);
  return std::string(text, size);
}

}  // namespace
}  // namespace PosixHost

namespace WindowsApi {

LocalTime Now() { return PosixHost::ToLocalTime(std::time(nullptr)); }

std::string ShortDateText(const LocalTime& time) { return PosixHost::Formatted(time, "%x"); }

std::string LongTimeText(const LocalTime& time) { return PosixHost::Formatted(time, "%X"); }

}  // namespace WindowsApi
