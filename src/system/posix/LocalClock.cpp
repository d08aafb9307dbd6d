#include "system/posix/LocalClock.h"

#include <cstdlib>
#include <string>

namespace PosixHost {

namespace {

// localtime_r need not look at TZ again, so a changed TZ is made to count with tzset; only
// then, as tzset without TZ looks at /etc/localtime on every call.
void FollowTimeZone() {
  static bool known = false;
  static bool wasSet = false;
  static std::string was;
  const char* now = std::getenv("TZ");
  if (known && wasSet == (now != nullptr) && (!now || was == now)) return;
  tzset();
  known = true;
  wasSet = now != nullptr;
  was = now ? now : "";
}

}  // namespace

WindowsApi::LocalTime ToLocalTime(std::time_t seconds) {
  FollowTimeZone();
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
