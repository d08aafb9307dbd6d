// The clock and its text in the user's regional format.
#include "system/WindowsApi.h"
#include "system/win32/Win32Host.h"

namespace Win32Host {
namespace {

// The fields as a SYSTEMTIME with its day of the week worked out; false for a date that does
// not exist.
bool ToSystemTime(const WindowsApi::LocalTime& time, SYSTEMTIME& parts) {
  SYSTEMTIME given = {};
  given.wYear = static_cast<WORD>(time.year);
  given.wMonth = static_cast<WORD>(time.month);
  given.wDay = static_cast<WORD>(time.day);
  given.wHour = static_cast<WORD>(time.hour);
  given.wMinute = static_cast<WORD>(time.minute);
  given.wSecond = static_cast<WORD>(time.second);
  FILETIME asFileTime;
  return SystemTimeToFileTime(&given, &asFileTime) && FileTimeToSystemTime(&asFileTime, &parts);
}

using Formatter = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int);

// The user's own format (LOCALE_USER_DEFAULT), chosen by the flags: short date, or long time.
std::string Formatted(const WindowsApi::LocalTime& time, Formatter format, DWORD flags) {
  SYSTEMTIME parts;
  if (!ToSystemTime(time, parts)) return {};
  char text[128];
  const int size = format(LOCALE_USER_DEFAULT, flags, &parts, nullptr, text, sizeof text);
  return size > 0 ? std::string(text, static_cast<std::size_t>(size - 1)) : std::string();
}

}  // namespace
}  // namespace Win32Host

namespace WindowsApi {

LocalTime Now() {
  SYSTEMTIME parts;
  GetLocalTime(&parts);
  return {parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond};
}

std::string ShortDateText(const LocalTime& time) {
  return Win32Host::Formatted(time, GetDateFormatA, DATE_SHORTDATE);
}

std::string LongTimeText(const LocalTime& time) {
  return Win32Host::Formatted(time, GetTimeFormatA, 0);
}

}  // namespace WindowsApi
