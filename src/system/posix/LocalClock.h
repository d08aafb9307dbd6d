#pragma once
// Seconds since the epoch as a local date and time, with TZ read afresh.
#include <ctime>

#include "system/WindowsApi.h"

namespace PosixHost {

WindowsApi::LocalTime ToLocalTime(std::time_t seconds);

}  // namespace PosixHost
