#include "system/posix/LocalClock.h"

namespace PosixHost {

WindowsApi::LocalTime ToLocalTime(std::time_t seconds) {
  // localtime_r need not look at TZ again; tzset makes a changed TZ count at once.
  tzset();
  std::tm parts{};
  WindowsApi::LocalTime time;
  if (!localtime_r(&seconds, &parts)) return time;
  time.year = parts.tm_year + 1900;
  time.month = parts.tm_mon + 1;
  time.day = parts.tm_mday;
  time.hour = parts.tm_hour;
  time.minute = parts.tm_min;
  // A leap second (60) is not a Windows time.
  time.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
  return time;
}

}  // namespace PosixHost
