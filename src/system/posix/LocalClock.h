#pragma once
// Seconds since the epoch as a local date and time, with TZ read afresh.
#include <ctime>

#include "system/WindowsApi.h"

namespace PosixHost {

// The offset in force on that date is applied; Windows' own file-date conversion
// (FileTimeToLocalFileTime, the Win32 host) applies today's daylight-saving offset to every date.
WindowsApi::LocalTime ToLocalTime(std::time_t seconds);

}  // namespace PosixHost
