// The drive table: QUILLFEN_DRIVES text, the mount-table fallback, the drive list.
#include <gtest/gtest.h>

#include "support/HostGuard.h"
#include "support/TempTree.h"
#include "system/WindowsApi.h"
#include "system/posix/DriveTable.h"
#include "system/posix/MountTable.h"

namespace {

using PosixHost::DriveList;
using testsupport::HostGuard;

std::string Describe(const DriveList& drives) {
  std::string text;
  for (const auto& drive : drives) text += std::string(1, drive.letter) + "=" + drive.root + ";";
  return text;
}

TEST(PosixDriveTable, SettingGivesExactlyTheNamedDrivesInLetterOrder) {
  EXPECT_EQ(Describe(PosixHost::ParseDriveList("C=/srv/win98;D=/media/old")),
            "C=/srv/win98;D=/media/old;");
  // Lower-case letters, a colon after the letter, untidy folders, any order.
  EXPECT_EQ(Describe(PosixHost::ParseDriveList("e:=/e//f/;c=/srv/")), "C=/srv;E=/e/f;");
  // Blanks stay part of a folder name.
  EXPECT_EQ(Describe(PosixHost::ParseDriveList("C=/old disk")), "C=/old disk;");
  EXPECT_EQ(Describe(PosixHost::ParseDriveList("")), "");
}

TEST(PosixDriveTable, MalformedEntriesArePassedOverAndTheFirstOfTwinsKept) {
  EXPECT_EQ(Describe(PosixHost::ParseDriveList(
                "=/x;CC=/x;1=/x;C=relative;D=;E/x;;F=/f;F=/other;G=/g")),
            "F=/f;G=/g;");
}

TEST(PosixDriveTable, MountTableGivesRootAsZAndWindowsKindsFromC) {
  const char* mounts =
      "/dev/vda / ext4 rw,relatime 0 0\n"
      "proc /proc proc rw 0 0\n"
      "/dev/sdb1 /media/old\\040disk vfat rw 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n"
      "/dev/sdc1 /mnt/nt ntfs3 rw 0 0\n"
      "/dev/sdd1 /mnt/fuse fuseblk rw 0 0\n"
      "/dev/sdb1 /media/old\\040disk vfat rw 0 0\n"  // mounted over itself: still one drive
      "/dev/sde1 /mnt/ex exfat rw 0 0\n"
      "/dev/sdf1 /mnt/dos msdos rw 0 0\n"
      "/dev/sdg1 /mnt/legacy ntfs ro 0 0\n"
      "garbage\n";
  EXPECT_EQ(Describe(PosixHost::DrivesFromMounts(mounts)),
            "C=/media/old disk;D=/mnt/nt;E=/mnt/fuse;F=/mnt/ex;G=/mnt/dos;H=/mnt/legacy;Z=/;");
  EXPECT_EQ(Describe(PosixHost::DrivesFromMounts("")), "Z=/;");
}

TEST(PosixDriveTable, LettersRunOutAtYBecauseZIsTheRoot) {
  std::string mounts;
  for (int i = 0; i < 30; ++i) mounts += "/dev/x /mnt/m" + std::to_string(i) + " vfat rw 0 0\n";
  const DriveList drives = PosixHost::DrivesFromMounts(mounts);
  ASSERT_EQ(drives.size(), 24u);  // C..Y, then Z
  EXPECT_EQ(drives.front().letter, 'C');
  EXPECT_EQ(drives[22].letter, 'Y');
  EXPECT_EQ(drives[22].root, "/mnt/m22");
  EXPECT_EQ(drives.back().root, "/");
}

TEST(PosixDriveTable, DriveEntriesFollowTheVariableOnEveryCall) {
  testsupport::TempTree tree;
  tree.Folder("old");
  tree.Folder("win98");
  tree.Folder("q");
  {
    HostGuard drives(HostGuard::Setting::Drives, ("D=" + tree.Path("old") + ";c=" + tree.Path("win98")).c_str());
    EXPECT_EQ(WindowsApi::DriveEntries(),
              (std::vector<std::string>{"c: [" + tree.Path("win98") + "]",
                                        "d: [" + tree.Path("old") + "]"}));
    EXPECT_EQ(PosixHost::DriveRoot('d'), tree.Path("old"));
    EXPECT_EQ(PosixHost::DriveRoot('E'), std::nullopt);
  }
  {
    HostGuard drives(HostGuard::Setting::Drives, ("Q=" + tree.Path("q")).c_str());
    EXPECT_EQ(WindowsApi::DriveEntries(), std::vector<std::string>{"q: [" + tree.Path("q") + "]"});
  }
  HostGuard unset(HostGuard::Setting::Drives, nullptr);
  const auto entries = WindowsApi::DriveEntries();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.back(), "z: [/]");
}

// An entry that cannot be used is left out and named once on standard error; the program
// never starts silently with fewer drives. A folder that appears later becomes its drive.
TEST(PosixDriveTable, UnusableEntriesAreNamedOnceOnStandardError) {
  testsupport::TempTree tree;
  tree.Folder("c");
  const std::string text = "C=" + tree.Path("c") + ";D = " + tree.Path("c") + ";E=" +
                           tree.Path("later") + ";C=" + tree.Path("c") + ";F=/proc;9=/x";
  HostGuard drives(HostGuard::Setting::Drives, text.c_str());
  ::testing::internal::CaptureStderr();
  const auto first = WindowsApi::DriveEntries();
  const auto second = WindowsApi::DriveEntries();
  const std::string said = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(first, std::vector<std::string>{"c: [" + tree.Path("c") + "]"});
  EXPECT_EQ(second, first);
  for (const std::string& entry : std::vector<std::string>{"\"D = " + tree.Path("c") + "\"", "\"E=" + tree.Path("later") + "\"",
                                  "\"C=" + tree.Path("c") + "\" is not used: its letter is given twice",
                                  "\"F=/proc\"", "\"9=/x\""}) {
    const std::size_t at = said.find(entry);
    EXPECT_NE(at, std::string::npos) << entry << " in\n" << said;
    EXPECT_EQ(said.find(entry, at + 1), std::string::npos) << entry << " said twice";
  }
  tree.Folder("later");
  EXPECT_EQ(PosixHost::DriveRoot('E'), tree.Path("later"));
}

}  // namespace
