// The version record and the environment of the POSIX host.
#include <gtest/gtest.h>

#include "support/HostGuard.h"
#include "support/TempTree.h"
#include "system/WindowsApi.h"
#include "system/WindowsTools.h"
#include "system/posix/VersionText.h"

namespace {

using testsupport::EnvGuard;
using testsupport::HostGuard;
using WindowsApi::VersionRecord;

TEST(PosixVersion, TheRecordComesFromItsText) {
  VersionRecord record;
  ASSERT_TRUE(PosixHost::ParseVersionText("2.5.1:Service Pack 3", record));
  EXPECT_EQ(record.platformId, 2u);
  EXPECT_EQ(record.majorVersion, 5u);
  EXPECT_EQ(record.minorVersion, 1u);
  EXPECT_STREQ(record.csdVersion, "Service Pack 3");
  ASSERT_TRUE(PosixHost::ParseVersionText("1.4.10: A ", record));
  EXPECT_STREQ(record.csdVersion, " A ");  // kept exactly, blanks included
  ASSERT_TRUE(PosixHost::ParseVersionText("2.6.1", record));
  EXPECT_STREQ(record.csdVersion, "");
  ASSERT_TRUE(PosixHost::ParseVersionText("0.3.95:a:b", record));
  EXPECT_STREQ(record.csdVersion, "a:b");
}

TEST(PosixVersion, MalformedTextFailsAndLeavesTheRecordAlone) {
  VersionRecord record;
  record.majorVersion = 77;
  for (const char* text : {"", "2.5", "2.5.", "a.b.c", "2.5.1x", "2..1", "-1.4.10", " 2.5.1",
                           "2.5.1.0", "9999999999.1.1", ":Service Pack 1"})
    EXPECT_FALSE(PosixHost::ParseVersionText(text, record)) << text;
  EXPECT_EQ(record.majorVersion, 77u);
}

TEST(PosixVersion, AServicePackTextIsCutToTheRecordsSize) {
  VersionRecord record;
  ASSERT_TRUE(PosixHost::ParseVersionText("2.5.1:" + std::string(300, 'x'), record));
  EXPECT_EQ(std::string(record.csdVersion), std::string(127, 'x'));
}

TEST(PosixVersion, TheQueryFollowsTheVariable) {
  VersionRecord record;
  {
    HostGuard unset(HostGuard::Setting::Version, nullptr);
    EXPECT_FALSE(WindowsApi::QueryVersion(record));
  }
  {
    HostGuard bad(HostGuard::Setting::Version, "Windows XP");
    EXPECT_FALSE(WindowsApi::QueryVersion(record));
  }
  HostGuard good(HostGuard::Setting::Version, "1.4.90");
  ASSERT_TRUE(WindowsApi::QueryVersion(record));
  EXPECT_EQ(record.minorVersion, 90u);
}

TEST(PosixEnvironment, VariablesAreFoundAsSpeltThenInAnyCase) {
  HostGuard windir(HostGuard::Setting::Windir, "C:\\WINDOWS");
  EnvGuard upper("QUILLFEN_TEST_VALUE", "upper");
  EnvGuard lower("quillfen_test_value", "lower");
  EnvGuard empty("QUILLFEN_TEST_EMPTY", "");
  EnvGuard unset("QUILLFEN_TEST_UNSET", nullptr);
  EXPECT_EQ(WindowsApi::EnvironmentValue("windir"), "C:\\WINDOWS");
  EXPECT_EQ(WindowsApi::EnvironmentValue("WINDIR"), "C:\\WINDOWS");
  EXPECT_EQ(WindowsApi::EnvironmentValue("quillfen_test_value"), "lower");
  EXPECT_EQ(WindowsApi::EnvironmentValue("QUILLFEN_TEST_VALUE"), "upper");
  EXPECT_EQ(WindowsApi::EnvironmentValue("QUILLFEN_TEST_EMPTY"), "");
  EXPECT_EQ(WindowsApi::EnvironmentValue("QUILLFEN_TEST_UNSET"), std::nullopt);
}

TEST(PosixVersion, GetOSNameComesFromTheRecordOrSaysUnknown) {
  {
    HostGuard winver(HostGuard::Setting::Version, "1.4.10: A ");
    EXPECT_EQ(WindowsTools::GetOSName(), "Microsoft Windows 98 Second Edition");
  }
  {
    HostGuard winver(HostGuard::Setting::Version, "2.5.1:Service Pack 3");
    EXPECT_EQ(WindowsTools::GetOSName(), "Microsoft Windows XP");
  }
  HostGuard none(HostGuard::Setting::Version, nullptr);
  EXPECT_EQ(WindowsTools::GetOSName(), "Unknown Operating System");
}

}  // namespace
