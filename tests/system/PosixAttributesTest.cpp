// Attribute bits and modification times the POSIX host reports.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>

#include "PosixTestDrive.h"
#include "system/WindowsApi.h"
#include "system/posix/DosAttributes.h"

namespace {

using posixtest::TestDrive;
using testsupport::EnvGuard;
using namespace WindowsApi;

std::uint32_t AttributesInListing(const std::string& pattern, const std::string& name) {
  std::vector<FindData> entries;
  ListFolder(pattern, entries);
  for (const FindData& entry : entries)
    if (entry.name == name) return entry.attributes;
  return kInvalidAttributes;
}

// Writes user.DOSATTRIB as a file server does; false when the file system refuses.
bool SetDosAttrib(const std::string& path, const std::string& value) {
  return setxattr(path.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0) == 0;
}

TEST(PosixAttributes, FoldersFilesAndDotNames) {
  TestDrive drive;
  drive.tree.File("dir/plain.txt");
  drive.tree.File("dir/.profile");
  drive.tree.Folder("dir/.cache");
  EXPECT_EQ(FileAttributes("C:\\dir"), kAttrDirectory);
  EXPECT_EQ(FileAttributes("C:\\"), kAttrDirectory);
  EXPECT_EQ(FileAttributes("C:\\dir\\plain.txt"), kAttrArchive);
  EXPECT_EQ(FileAttributes("C:\\dir\\.profile"), kAttrArchive | kAttrHidden);
  EXPECT_EQ(FileAttributes("C:\\dir\\.cache"), kAttrDirectory | kAttrHidden);
  // The listing gives the same bits as the single query.
  EXPECT_EQ(AttributesInListing("C:\\dir\\*", ".profile"), kAttrArchive | kAttrHidden);
  EXPECT_EQ(FileAttributes("C:\\dir\\missing"), kInvalidAttributes);
  EXPECT_EQ(FileAttributes("C:\\dir\\*.txt"), kInvalidAttributes);
}

TEST(PosixAttributes, AFileItsOwnerCannotWriteIsReadOnly) {
  TestDrive drive;
  drive.tree.File("locked.txt");
  ASSERT_EQ(chmod(drive.tree.Path("locked.txt").c_str(), 0444), 0);
  EXPECT_EQ(FileAttributes("C:\\locked.txt"), kAttrArchive | kAttrReadOnly);
  EXPECT_EQ(AttributesInListing("C:\\*.*", "locked.txt"), kAttrArchive | kAttrReadOnly);
}

TEST(PosixAttributes, DosAttributesKeptInAnExtendedAttributeCount) {
  TestDrive drive;
  drive.tree.File("boot.ini");
  drive.tree.File("io.sys");
  drive.tree.Folder("RECYCLED");
  if (!SetDosAttrib(drive.tree.Path("boot.ini"), "0x22"))
    GTEST_SKIP() << "the temporary folder's file system refuses user extended attributes";
  ASSERT_TRUE(SetDosAttrib(drive.tree.Path("io.sys"), std::string("0x27\0\x04\x00", 7)));
  ASSERT_TRUE(SetDosAttrib(drive.tree.Path("RECYCLED"), "0x16"));
  EXPECT_EQ(FileAttributes("C:\\boot.ini"), kAttrArchive | kAttrHidden);
  EXPECT_EQ(AttributesInListing("C:\\*.*", "boot.ini"), kAttrArchive | kAttrHidden);
  EXPECT_EQ(FileAttributes("C:\\io.sys"), kAttrArchive | kAttrHidden | kAttrSystem | kAttrReadOnly);
  EXPECT_EQ(AttributesInListing("C:\\*", "RECYCLED"), kAttrDirectory | kAttrHidden | kAttrSystem);
}

TEST(PosixAttributes, DosAttribTextIsReadUpToItsFirstNonDigit) {
  EXPECT_EQ(PosixHost::ParseDosAttribText("0x22"), 0x22u);
  EXPECT_EQ(PosixHost::ParseDosAttribText("0X2"), 0x2u);
  EXPECT_EQ(PosixHost::ParseDosAttribText(std::string("0x20\0\x03\x00", 7)), 0x20u);
  EXPECT_EQ(PosixHost::ParseDosAttribText("0x"), std::nullopt);
  EXPECT_EQ(PosixHost::ParseDosAttribText("22"), std::nullopt);
  EXPECT_EQ(PosixHost::ParseDosAttribText(""), std::nullopt);
}

TEST(PosixModifiedTime, TimesAreLocalToTheCurrentTimeZone) {
  TestDrive drive;
  drive.tree.File("WINDOWS/Windows Update.log");
  // 2004-12-31 23:30:00 UTC
  const timespec times[2] = {{1104535800, 0}, {1104535800, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, drive.tree.Path("WINDOWS/Windows Update.log").c_str(), times, 0), 0);
  const std::string path = "C:\\WINDOWS\\Windows Update.log";
  struct Case {
    const char* tz;
    int year, month, day, hour;
  };
  for (const Case& c : {Case{"UTC0", 2004, 12, 31, 23}, Case{"JST-9", 2005, 1, 1, 8},
                        Case{"EST5EDT,M3.2.0,M11.1.0", 2004, 12, 31, 18}}) {
    EnvGuard tz("TZ", c.tz);
    auto modified = ModifiedTime(path);
    ASSERT_TRUE(modified.has_value()) << c.tz;
    EXPECT_EQ(modified->year, c.year) << c.tz;
    EXPECT_EQ(modified->month, c.month) << c.tz;
    EXPECT_EQ(modified->day, c.day) << c.tz;
    EXPECT_EQ(modified->hour, c.hour) << c.tz;
    EXPECT_EQ(modified->minute, 30) << c.tz;
    std::vector<FindData> entries;
    ASSERT_TRUE(ListFolder(path, entries));
    EXPECT_EQ(entries[0].modified.year, c.year) << c.tz;
    EXPECT_EQ(entries[0].modified.hour, c.hour) << c.tz;
  }
}

}  // namespace
