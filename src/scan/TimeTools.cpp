#include "scan/TimeTools.h"

#include "system/FileTools.h"

namespace TimeTools {

std::string DateTimeText(const WindowsApi::LocalTime& time) {
  const std::string date = WindowsApi::ShortDateText(time);
  // The default date-to-text conversion leaves out a time part of exactly midnight.
  if (time.hour == 0 && time.minute == 0 && time.second == 0) return date;
  return date + " " + WindowsApi::LongTimeText(time);
}

std::string NowText() { return DateTimeText(WindowsApi::Now()); }

bool IsNotNewerThan(int year, const std::string& path) { return AgeOf(path, year) != Age::TooNew; }

Age AgeOf(const std::string& path, int year) {
  const FileTools::FileDate date = FileTools::ReadFileYear(path);
  if (date.unreadable) return Age::Undated;
  return year >= date.year ? Age::NotNewer : Age::TooNew;
}

}  // namespace TimeTools
