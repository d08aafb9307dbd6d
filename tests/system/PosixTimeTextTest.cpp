// The clock and its text in the user's regional format.
#include <gtest/gtest.h>

#include <clocale>
#include <ctime>

#include "support/TempTree.h"
#include "system/WindowsApi.h"

namespace {

using testsupport::EnvGuard;
using WindowsApi::LocalTime;

class PosixTimeText : public ::testing::Test {
 protected:
  EnvGuard all_{"LC_ALL", nullptr};
  EnvGuard time_{"LC_TIME", "C"};
  EnvGuard lang_{"LANG", nullptr};
};

TEST_F(PosixTimeText, TheCLocaleWritesMonthDayYearAnd24Hours) {
  const LocalTime time{2004, 6, 15, 14, 3, 5};
  EXPECT_EQ(WindowsApi::ShortDateText(time), "06/15/04");
  EXPECT_EQ(WindowsApi::LongTimeText(time), "14:03:05");
  EXPECT_EQ(WindowsApi::LongTimeText(LocalTime{2004, 6, 15, 0, 0, 0}), "00:00:00");
}

TEST_F(PosixTimeText, AnUnknownLocaleFallsBackToC) {
  EnvGuard unknown("LC_ALL", "xx_NOWHERE.UTF-8");
  EXPECT_EQ(WindowsApi::ShortDateText(LocalTime{1999, 12, 31, 23, 59, 59}), "12/31/99");
}

TEST_F(PosixTimeText, OutOfRangeFieldsRollOverInsteadOfReachingTheFormatter) {
  EXPECT_EQ(WindowsApi::ShortDateText(LocalTime{2004, 13, 1, 0, 0, 0}), "01/01/05");
  // Nonsense fields still give a date of the locale's form.
  EXPECT_EQ(WindowsApi::ShortDateText(LocalTime{-5000, 200, -40, 99, 99, 99}).size(), 8u);
  EXPECT_EQ(WindowsApi::LongTimeText(LocalTime{2004, 1, 1, 99, -99, 99}).size(), 8u);
}

TEST_F(PosixTimeText, TheProcessLocaleIsNeverChanged) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  EnvGuard other("LC_ALL", "C.UTF-8");
  WindowsApi::ShortDateText(LocalTime{2004, 6, 15, 0, 0, 0});
  WindowsApi::LongTimeText(LocalTime{2004, 6, 15, 0, 0, 0});
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

TEST(PosixNow, NowIsTheLocalTimeOfTheCurrentTimeZone) {
  for (const char* tz : {"UTC0", "JST-9", "NST3:30"}) {
    EnvGuard zone("TZ", tz);
    tzset();
    const std::time_t before = std::time(nullptr);
    const LocalTime now = WindowsApi::Now();
    const std::time_t after = std::time(nullptr);
    bool matched = false;
    for (std::time_t second = before; second <= after; ++second) {
      std::tm parts{};
      localtime_r(&second, &parts);
      matched = matched || (now.year == parts.tm_year + 1900 && now.month == parts.tm_mon + 1 &&
                            now.day == parts.tm_mday && now.hour == parts.tm_hour &&
                            now.minute == parts.tm_min && now.second == parts.tm_sec);
    }
    EXPECT_TRUE(matched) << tz;
  }
}

}  // namespace
