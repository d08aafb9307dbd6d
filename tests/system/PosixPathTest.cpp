// Windows paths on the POSIX host: parsing, lookup without regard to case, the way back.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "PosixTestDrive.h"
#include "support/HostGuard.h"
#include "system/WindowsApi.h"
#include "system/posix/PathText.h"
#include "system/posix/PosixPaths.h"

namespace {

using PosixHost::ParseWindowsPath;
using posixtest::TestDrive;
using testsupport::HostGuard;
using WindowsApi::FileAttributes;
using WindowsApi::kAttrDirectory;
using WindowsApi::kInvalidAttributes;

std::string Parts(const std::string& text) {
  auto path = ParseWindowsPath(text);
  if (!path) return "invalid";
  std::string out(1, path->drive);
  for (const auto& part : path->parts) out += "|" + part;
  if (path->trailingSeparator) out += "|\\";
  return out;
}

TEST(PosixPathText, SeparatorsDoubledSeparatorsAndDotsAreFolded) {
  EXPECT_EQ(Parts("C:\\WINDOWS\\Windows Update.log"), "C|WINDOWS|Windows Update.log");
  EXPECT_EQ(Parts("c:/a//b\\\\c\\"), "C|a|b|c|\\");
  EXPECT_EQ(Parts("C:"), "C");
  EXPECT_EQ(Parts("C:\\"), "C");
  EXPECT_EQ(Parts("C:\\a\\.\\b\\..\\c"), "C|a|c");
  EXPECT_EQ(Parts("C:\\..\\..\\x"), "C|x");
  EXPECT_EQ(Parts("C:\\a\\*.txt"), "C|a|*.txt");
}

TEST(PosixPathText, TheLastComponentLosesTrailingDotsAndBlanksAsOnWin32) {
  EXPECT_EQ(Parts("C:\\t\\lead."), "C|t|lead");
  EXPECT_EQ(Parts("C:\\t\\lead. . "), "C|t|lead");
  EXPECT_EQ(Parts("C:\\t\\.x."), "C|t|.x");
  EXPECT_EQ(Parts("C:\\t\\..."), "C|t|\\");
  EXPECT_EQ(Parts("C:\\..."), "C");
  // Never in a pattern. A folder whose name ends in a dot or blank is none this host lists,
  // so no path goes through one.
  EXPECT_EQ(Parts("C:\\t\\*."), "C|t|*.");
  for (const char* through : {"C:\\t\\lead.\\", "C:\\t.\\x", "C:\\a\\...\\b", "C:\\a \\b"})
    EXPECT_EQ(Parts(through), "invalid") << through;
}

TEST(PosixPathText, TextThatIsNoDriveLetterPathIsRefused) {
  for (const char* text : {"", "C", "\\\\server\\share", "C:name", "1:\\x", "C:\\a:b",
                           "C:\\a|b", "C:\\a\"b", "C:\\a<b", "C:\\tab\there"})
    EXPECT_EQ(Parts(text), "invalid") << text;
}

TEST(PosixPathText, WindowsNamesHoldNoSeparatorReservedOrControlCharacter) {
  EXPECT_TRUE(PosixHost::IsWindowsName("Windows Update.log"));
  EXPECT_TRUE(PosixHost::IsWindowsName("Programme f\xC3\xBCr alle"));
  EXPECT_TRUE(PosixHost::IsWindowsName(".hidden"));
  for (const char* name : {"", "a:b", "a\\b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "a\nb",
                           "a.", "a ", "a. "})
    EXPECT_FALSE(PosixHost::IsWindowsName(name)) << name;
}

TEST(PosixPathLookup, ComponentsAreFoundExactlyThenWithoutRegardToCase) {
  TestDrive drive;
  drive.tree.File("WINDOWS/Windows Update.log");
  EXPECT_EQ(PosixHost::ToNativePath("C:\\WINDOWS\\Windows Update.log"),
            drive.tree.Path("WINDOWS/Windows Update.log"));
  EXPECT_EQ(PosixHost::ToNativePath("c:\\windows\\WINDOWS UPDATE.LOG"),
            drive.tree.Path("WINDOWS/Windows Update.log"));
  EXPECT_EQ(PosixHost::ToNativePath("c:/Windows//"), drive.tree.Path("WINDOWS"));
  EXPECT_EQ(PosixHost::ToNativePath("C:\\"), drive.tree.Root());
}

TEST(PosixPathLookup, AnExactSpellingWinsOverCaseVariants) {
  TestDrive drive;
  drive.tree.File("Readme", "mixed");
  drive.tree.File("README", "upper");
  EXPECT_EQ(PosixHost::ToNativePath("C:\\Readme"), drive.tree.Path("Readme"));
  EXPECT_EQ(PosixHost::ToNativePath("C:\\README"), drive.tree.Path("README"));
  // Neither spelt so: the first in byte order, the same on every run.
  EXPECT_EQ(PosixHost::ToNativePath("C:\\readme"), drive.tree.Path("README"));
}

TEST(PosixPathLookup, MissingComponentsAreKeptAsWritten) {
  TestDrive drive;
  drive.tree.Folder("WINDOWS");
  EXPECT_EQ(PosixHost::ToNativePath("C:\\windows\\New Folder\\x.TXT"),
            drive.tree.Path("WINDOWS/New Folder/x.TXT"));
  EXPECT_EQ(PosixHost::ToNativePath("D:\\x"), std::nullopt);  // no such drive
  EXPECT_EQ(PosixHost::ToNativePath("C:\\*.txt"), std::nullopt);
  EXPECT_EQ(PosixHost::ToNativePath("relative\\x"), std::nullopt);
}

TEST(PosixPathLookup, ATrailingSeparatorAsksForAFolder) {
  TestDrive drive;
  drive.tree.File("WINDOWS/win.ini");
  EXPECT_TRUE(FileAttributes("C:\\WINDOWS\\") & kAttrDirectory);
  EXPECT_TRUE(FileAttributes("c:\\\\windows\\\\") & kAttrDirectory);
  EXPECT_NE(FileAttributes("C:\\WINDOWS\\win.ini"), kInvalidAttributes);
  EXPECT_EQ(FileAttributes("C:\\WINDOWS\\win.ini\\"), kInvalidAttributes);
  EXPECT_EQ(FileAttributes("C:\\WINDOWS\\win.ini\\x"), kInvalidAttributes);
}

TEST(PosixPathLookup, EveryPathToAnEntryGivesItsIdentity) {
  TestDrive drive;
  drive.tree.Folder("WINDOWS/system");
  drive.tree.Folder("other");
  ASSERT_EQ(symlink("../WINDOWS", drive.tree.Path("other/link").c_str()), 0);
  ASSERT_EQ(mkfifo(drive.tree.Path("pipe").c_str(), 0644), 0);
  const auto id = WindowsApi::EntryIdentity("C:\\WINDOWS");
  ASSERT_TRUE(id.has_value());
  EXPECT_EQ(WindowsApi::EntryIdentity("c:\\windows\\"), id);
  EXPECT_EQ(WindowsApi::EntryIdentity("C:\\other\\link"), id);
  EXPECT_EQ(WindowsApi::EntryIdentity("C:\\WINDOWS\\system\\.."), id);
  EXPECT_NE(WindowsApi::EntryIdentity("C:\\WINDOWS\\system"), id);
  EXPECT_EQ(WindowsApi::EntryIdentity("C:\\pipe"), std::nullopt);
  EXPECT_EQ(WindowsApi::EntryIdentity("C:\\missing"), std::nullopt);
}

TEST(PosixPathBack, NativePathsComeBackThroughTheLongestDriveRoot) {
  testsupport::TempTree tree;
  tree.Folder("sub/deeper");
  tree.Folder("subway");
  const std::string drives = "C=" + tree.Root() + ";D=" + tree.Path("sub");
  HostGuard guard(HostGuard::Setting::Drives, drives.c_str());
  EXPECT_EQ(PosixHost::ToWindowsPath(tree.Root()), "C:\\");
  EXPECT_EQ(PosixHost::ToWindowsPath(tree.Root() + "/"), "C:\\");
  EXPECT_EQ(PosixHost::ToWindowsPath(tree.Path("sub")), "D:\\");
  EXPECT_EQ(PosixHost::ToWindowsPath(tree.Path("sub/deeper")), "D:\\deeper");
  EXPECT_EQ(PosixHost::ToWindowsPath(tree.Path("subway")), "C:\\subway");  // not under D:
  EXPECT_EQ(PosixHost::ToWindowsPath(tree.Path("sub/../subway/./x")), "C:\\subway\\x");
  EXPECT_EQ(PosixHost::ToWindowsPath(tree.Path("a:b")), "");  // no Windows spelling
  EXPECT_EQ(PosixHost::ToWindowsPath("/"), "");               // no drive holds it
  EXPECT_EQ(PosixHost::ToWindowsPath("relative"), "");
}

TEST(PosixPathBack, ALinkToADriveComesBackThroughThatDrive) {
  testsupport::TempTree tree;
  tree.Folder("disk/WINDOWS");
  ASSERT_EQ(symlink(tree.Path("disk").c_str(), tree.Path("link").c_str()), 0);
  const std::string drives = "C=" + tree.Path("disk");
  HostGuard guard(HostGuard::Setting::Drives, drives.c_str());
  EXPECT_EQ(PosixHost::ToWindowsPath(tree.Path("link/WINDOWS")), "C:\\WINDOWS");
}

}  // namespace
