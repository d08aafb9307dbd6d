// The file rules, the age test, the console writer and the time stamp.
#include <gtest/gtest.h>

#include "scan/ConsoleTools.h"
#include "scan/QuillfenSpecific.h"
#include "scan/ScanOptions.h"
#include "scan/TimeTools.h"
#include "support/FakeScreen.h"
#include "support/TempTree.h"

using testsupport::EnvGuard;
using testsupport::TempTree;

namespace {

TEST(FileNames, InventoryNamesAreJudgedByTheirLastThreeCharacters) {
  for (const char* name : {"A.W98", "z.N4X", "1.bm", "foo.BKF", "xgng", "5.w98", "catalog.gng",
                           "x.inv", "a.as", "b.w64", "c.plt", "gng"})
    EXPECT_TRUE(QuillfenSpecific::IsV3InventoryFile(name)) << name;
  for (const char* name : {"w9", "a.bmp", "inventory.txt", "gng.txt", "", "ab", "x.w97", "des.x"})
    EXPECT_FALSE(QuillfenSpecific::IsV3InventoryFile(name)) << name;
}

TEST(FileNames, V4NamesMatchWholeNamesInAnyCase) {
  for (const char* name : {"IUHIST.XML", "iuhist.xml", "Windows Update.log",
                           "IuHist_CatalogAdmin.xml"})
    EXPECT_TRUE(QuillfenSpecific::IsV4File(name)) << name;
  for (const char* name : {"iuhist.xml.bak", "WindowsUpdate.log", "xiuhist.xml", "iuhist", ""})
    EXPECT_FALSE(QuillfenSpecific::IsV4File(name)) << name;
}

class AgeTest : public ::testing::Test {
 protected:
  TempTree tree;
  testsupport::TreeDrives drives{tree, testsupport::TreeDrives::Layout::Root};
  EnvGuard tz{"TZ", "UTC"};
};

TEST_F(AgeTest, FilesOf2020OrEarlierQualifyAndMissingOnesAreNeverTooNew) {
  tree.File("y2020.txt");
  tree.SetTime("y2020.txt", 2020, 12, 31, 23, 59, 59);
  tree.File("y2021.txt");
  tree.SetTime("y2021.txt", 2021, 1, 1, 0, 0, 0);
  tree.File(".hidden2030", "x", 2030);
  tree.Folder("NewFolder", 2030);

  EXPECT_TRUE(TimeTools::IsNotNewerThan(2020, "R:\\y2020.txt"));
  EXPECT_FALSE(TimeTools::IsNotNewerThan(2020, "R:\\y2021.txt"));
  EXPECT_TRUE(TimeTools::IsNotNewerThan(2020, "R:\\missing.txt"));
  EXPECT_TRUE(TimeTools::IsNotNewerThan(2020, "R:\\NewFolder"));
  EXPECT_TRUE(TimeTools::IsNotNewerThan(2020, "R:\\.hidden2030"));
}

TEST_F(AgeTest, FindV4LogNeedsAnExistingLogThatIsNotTooNew) {
  tree.File("OLD/Windows Update.log", "log", 2004);
  tree.File("NEW/Windows Update.log", "log", 2021);
  tree.Folder("NONE");

  EXPECT_TRUE(QuillfenSpecific::FindV4Log("R:\\OLD"));
  EXPECT_EQ(QuillfenSpecific::V4LogPath, "R:\\OLD\\Windows Update.log");
  // A Windows folder given with its final "\" gives a doubled separator that still works.
  EXPECT_TRUE(QuillfenSpecific::FindV4Log("R:\\OLD\\"));
  EXPECT_EQ(QuillfenSpecific::V4LogPath, "R:\\OLD\\\\Windows Update.log");

  EXPECT_FALSE(QuillfenSpecific::FindV4Log("R:\\NEW"));
  EXPECT_EQ(QuillfenSpecific::V4LogPath, "");

  QuillfenSpecific::FindV4Log("R:\\OLD");
  EXPECT_FALSE(QuillfenSpecific::FindV4Log("R:\\NONE"));
  EXPECT_EQ(QuillfenSpecific::V4LogPath, "");
}

TEST(Console, LinesAreJoinedByBreaksWithNoneLeadingOrTrailing) {
  testsupport::FakeTextBox console;
  ConsoleTools::ConsoleWrite(console, "one", true);
  EXPECT_EQ(console.Text(), "one");
  ConsoleTools::ConsoleWrite(console, " more", false);
  ConsoleTools::ConsoleWrite(console, "two", true);
  ConsoleTools::ConsoleWrite(console, "three", true);
  EXPECT_EQ(console.Text(), "one more\r\ntwo\r\nthree");
  EXPECT_EQ(console.SelStart(), console.Text().size());

  // Writing goes to the end even when the caret was elsewhere.
  console.SetSelStart(0);
  ConsoleTools::ConsoleWrite(console, "four", true);
  EXPECT_EQ(console.Text(), "one more\r\ntwo\r\nthree\r\nfour");

  ConsoleTools::ConsoleClear(console);
  EXPECT_EQ(console.Text(), "");
  ConsoleTools::ConsoleWrite(console, "fresh", false);
  EXPECT_EQ(console.Text(), "fresh");
}

TEST(TimeStamp, IsShortDateThenLongTimeAndTheDateAloneAtMidnight) {
  EnvGuard lcAll("LC_ALL", nullptr);
  EnvGuard lcTime("LC_TIME", "C");
  WindowsApi::LocalTime noon{2004, 6, 15, 13, 5, 9};
  WindowsApi::LocalTime midnight{2004, 6, 15, 0, 0, 0};
  const std::string date = WindowsApi::ShortDateText(noon);
  EXPECT_FALSE(date.empty());
  EXPECT_EQ(TimeTools::DateTimeText(noon), date + " " + WindowsApi::LongTimeText(noon));
  EXPECT_NE(WindowsApi::LongTimeText(noon).find("05:09"), std::string::npos);
  EXPECT_EQ(TimeTools::DateTimeText(midnight), WindowsApi::ShortDateText(midnight));
  EXPECT_FALSE(TimeTools::NowText().empty());
}

TEST(ScanOptionFlags, ResetSetsAllThreeBackToTrue) {
  ScanOptions::ScanV3Inventories = false;
  ScanOptions::ScanOUInventories = false;
  ScanOptions::ResetAll();
  EXPECT_TRUE(ScanOptions::ScanV3Inventories);
  EXPECT_TRUE(ScanOptions::ScanV4Inventories);
  EXPECT_TRUE(ScanOptions::ScanOUInventories);
}

}  // namespace
