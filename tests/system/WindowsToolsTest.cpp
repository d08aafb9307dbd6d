// Facts about a Windows installation: version names, system drive, Program Files folders.
#include "support/HostGuard.h"
#include "system/WindowsTools.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/WindowsMachine.h"
#include "system/FileTools.h"

using testsupport::HostGuard;

namespace {

WindowsApi::VersionRecord Record(std::uint32_t platform, std::uint32_t major, std::uint32_t minor,
                                 const char* servicePack = "") {
  WindowsApi::VersionRecord record;
  record.platformId = platform;
  record.majorVersion = major;
  record.minorVersion = minor;
  std::strncpy(record.csdVersion, servicePack, sizeof record.csdVersion - 1);
  return record;
}

TEST(OSName, FollowsTheVersionTable) {
  struct Case {
    std::uint32_t platform, major, minor;
    const char* servicePack;
    const char* name;
  };
  const Case cases[] = {
      {0, 3, 11, "", "Win32s"},
      {0, 9, 9, "anything", "Win32s"},
      {1, 4, 0, "C", "Microsoft Windows 95"},
      {1, 4, 10, "", "Microsoft Windows 98"},
      {1, 4, 10, "A", "Microsoft Windows 98 Second Edition"},
      {1, 4, 10, " A ", "Microsoft Windows 98 Second Edition"},
      {1, 4, 90, " ", "Microsoft Windows Millennium Edition"},
      {2, 4, 0, "Service Pack 6", "Microsoft Windows NT 4.0"},
      {2, 5, 0, "", "Microsoft Windows 2000"},
      {2, 5, 1, "Service Pack 3", "Microsoft Windows XP"},
      {2, 5, 2, "", "Microsoft Windows Server 2003"},
      {2, 6, 1, "", "Other Windows NT version"},
      {2, 3, 51, "", "Other Windows NT version"},
      {3, 5, 1, "", "Unknown Operating System"},
      {7, 4, 10, "A", "Unknown Operating System"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WindowsTools::OSNameFor(Record(c.platform, c.major, c.minor, c.servicePack)), c.name)
        << c.platform << "." << c.major << "." << c.minor << " '" << c.servicePack << "'";
  }
}

TEST(OSName, NamesTheCombinationsTheTableLeavesOpen) {
  // Lower-case "a" is no Second Edition, but it is still a Windows 98.
  EXPECT_EQ(WindowsTools::OSNameFor(Record(1, 4, 10, "a")), "Microsoft Windows 98");
  EXPECT_EQ(WindowsTools::OSNameFor(Record(1, 4, 3)), "Unknown Operating System");
  EXPECT_EQ(WindowsTools::OSNameFor(Record(2, 5, 3)), "Other Windows NT version");
}

TEST(SystemDrive, IsTheFirstCharacterOfWindir) {
  {
    HostGuard windir(HostGuard::Setting::Windir, "C:\\WINDOWS");
    EXPECT_EQ(WindowsTools::GetSystemDrive(), "C");
  }
  {
    HostGuard windir(HostGuard::Setting::Windir, "");
    EXPECT_EQ(WindowsTools::GetSystemDrive(), "");
  }
  HostGuard windir(HostGuard::Setting::Windir, nullptr);
  EXPECT_EQ(WindowsTools::GetSystemDrive(), "");
}

TEST(TrimAtNull, CutsAtTheFirstNul) {
  EXPECT_EQ(WindowsTools::TrimAtNull("plain"), "plain");
  EXPECT_EQ(WindowsTools::TrimAtNull(std::string("\0tail", 5)), "");
  EXPECT_EQ(WindowsTools::TrimAtNull(std::string("ab\0cd\0", 6)), "ab");
}

class ProgramFilesTest : public ::testing::Test, protected testsupport::WindowsMachine {};

TEST_F(ProgramFilesTest, ReadsTheRegistryValueOrSaysWhyNot) {
  SetProgramFilesDir("S:\\Program Files");
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "S:\\Program Files");

  SetProgramFilesDir("");
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "");

  registry.RemoveValue("ProgramFilesDir");
  registry.SetText("Other", "x");
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "(Failed to read value)");

  // "%SystemDrive%\Programs" as an expandable string is not a plain text value.
  registry.SetText("ProgramFilesDir", "%SystemDrive%\\Programs", true);
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "(Failed to read value)");

  SetProgramFilesDir(std::string(300, 'x'));
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "(Failed to read value)");

  registry.RemoveKey();
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "(Error opening key)");
}

TEST_F(ProgramFilesTest, FindsTheFirstLocalizedNameThatIsAFolder) {
  EXPECT_EQ(WindowsTools::FindProgramFilesFolder("T:\\"), "");
  tree.File("d/Program Files", "a file, not a folder");
  EXPECT_EQ(WindowsTools::FindProgramFilesFolder("T:\\"), "");
  tree.Folder("d/Program Files (x86)");
  EXPECT_EQ(WindowsTools::FindProgramFilesFolder("T:\\"), "T:\\Program Files (x86)");
  tree.Folder("d/Programme");
  EXPECT_EQ(WindowsTools::FindProgramFilesFolder("T:\\"), "T:\\Programme");
  tree.Folder("d/archivos de programa");  // found whatever its case, named as asked
  EXPECT_EQ(WindowsTools::FindProgramFilesFolder("T:\\"), "T:\\Archivos de programa");
  tree.Folder("c/Program Files");
  EXPECT_EQ(WindowsTools::FindProgramFilesFolder("S:\\"), "S:\\Program Files");
}

}  // namespace
