#pragma once
// Time stamps and the age test.
#include <string>

#include "system/WindowsApi.h"

namespace TimeTools {

// The current local date and time in the user's formats: short date, one blank, long time;
// the date alone at exactly midnight.
std::string NowText();
std::string DateTimeText(const WindowsApi::LocalTime& time);
// True when `year` >= FileYear(path): a missing, hidden or folder path is never too new.
bool IsNotNewerThan(int year, const std::string& path);
// The same test, except that a file that is there but whose date cannot be read is Undated:
// the scans neither take it as old nor count it as found.
enum class Age { NotNewer, TooNew, Undated };
Age AgeOf(const std::string& path, int year);

// The year every caller passes: a file of this year or earlier qualifies.
constexpr int kAgeLimit = 2020;

}  // namespace TimeTools
