// Folders and files that cannot be read: a failure the user is told of, never "empty".
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "HostileWorld.h"
#include "system/FileTools.h"

namespace hostile {
namespace {

class ReadFailures : public HostileWorld {
 protected:
  void Inventories() {
    tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
    tree.File("c/Program Files/WindowsUpdate/V4/iuhist.xml", "h", 2004);
  }
  void Lock(const std::string& relative) { chmod(tree.Path(relative).c_str(), 0); }
};

TEST_F(ReadFailures, AnUnreadableWUTempSubfolderIsSaidAndTheRestIsSaved) {
  Inventories();
  tree.File("c/WUTemp/w.cab", "cab", 2003);
  tree.File("c/WUTemp/locked/secret.cab", "unseen", 2003);
  tree.SetTime("c/WUTemp", 2003);
  Lock("c/WUTemp/locked");
  Arm();
  WithoutPermissionOverride([&] {
    EXPECT_TRUE(Says(ScanLocal(), {"<t> - Could not read directory: C:\\WUTemp\\locked",
                                   "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
    EXPECT_EQ(dialogs.calls, Calls{"box: Error copying directory"});
    EXPECT_EQ(tree.Read("c/CVL_SAVE/WUTemp/w.cab"), "cab");
    EXPECT_EQ(tree.Read("c/CVL_SAVE/a.w98"), "a");
  });
}

TEST_F(ReadFailures, AnUnreadableWUTempOrOfficeUpdateIsSaidAndItsPhaseStillEnds) {
  Inventories();
  tree.File("c/WUTemp/w.cab", "cab", 2003);
  tree.SetTime("c/WUTemp", 2003);
  tree.File("c/Program Files/OfficeUpdate/inv.txt", "o", 2003);
  tree.SetTime("c/Program Files/OfficeUpdate", 2003);
  Lock("c/WUTemp");
  Lock("c/Program Files/OfficeUpdate");
  Arm();
  WithoutPermissionOverride([&] {
    // The OfficeUpdate phase ends as one that found nothing, after the reason.
    EXPECT_TRUE(Says(ScanLocal(),
                     {"<t> - Could not read directory: C:\\Program Files\\OfficeUpdate\r\n"
                      "<t> - No corresponding OfficeUpdate directory found.\r\n"
                      "<t> - Could not read directory: C:\\WUTemp\r\n"
                      "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
  });
}

TEST_F(ReadFailures, AnUnreadableWindowsUpdateFolderIsNotCalledEmpty) {
  Inventories();
  Lock("c/Program Files/WindowsUpdate");
  Arm();
  WithoutPermissionOverride([&] {
    EXPECT_EQ(ScanLocal(), "<t> - The WindowsUpdate directory exists but cannot be read. Scan aborted.");
  });
  tree.Folder("c/Program Files/WindowsUpdate");  // readable again, but its only file is in V4
  chmod(tree.Path("c/Program Files/WindowsUpdate").c_str(), 0755);
  std::remove(tree.Path("c/Program Files/WindowsUpdate/a.w98").c_str());
  Changes("c/Program Files/WindowsUpdate/a.w98");
  Lock("c/Program Files/WindowsUpdate/V4");
  console.SetText("");
  WithoutPermissionOverride([&] {
    EXPECT_EQ(ScanLocal(),
              "<t> - Could not read directory: C:\\Program Files\\WindowsUpdate\\V4\r\n"
              "<t> - The WindowsUpdate directory exists but cannot be read. Scan aborted.");
  });
}

TEST_F(ReadFailures, AnUnreadablePickedFolderIsSaidAfterNothingFound) {
  tree.File("e/locked/a.w98", "a", 2004);
  Lock("e/locked");
  Arm();
  WithoutPermissionOverride([&] {
    EXPECT_EQ(ScanFolder("E:\\locked"), (Calls{"box: No valid Windows Update files found.",
                                                "box: Could not read directory: E:\\locked"}));
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[1].icon, UserDialogs::Icon::Critical);
    EXPECT_EQ(dialogs.boxes[1].title, "Quillfen");
  });
}

// A drive root lists no "." or "..", so an empty listing of one is not enough to call it
// unreadable; a root that may not be listed is said all the same, in both scans of a drive.
TEST_F(ReadFailures, AnUnreadableDriveRootIsSaidAfterNothingFound) {
  tree.File("c/WINDOWS/win.ini", "w", 2004);
  tree.Folder("d");
  Arm();
  const Calls nothing = {"box: No valid Windows Update files found."};
  WithoutPermissionOverride([&] { EXPECT_EQ(ScanFolder("D:\\"), nothing); });

  Lock("d");
  const Calls unread = {"box: No valid Windows Update files found.",
                        "box: Could not read directory: D:\\"};
  WithoutPermissionOverride([&] {
    EXPECT_EQ(ScanFolder("D:\\"), unread);
    // No Windows folder can be seen there: the one picked by hand has no log.
    dialogs.picks[UserDialogs::Question::WindowsFolder] = {"C:\\WINDOWS"};
    Calls drive = {"box: The program could not determine your Windows directory. Click OK to "
                   "select it manually.",
                   "pick: Select the Windows directory on the drive you'd like to scan."};
    drive.insert(drive.end(), unread.begin(), unread.end());
    EXPECT_EQ(ScanDrive('D'), drive);
    EXPECT_EQ(dialogs.boxes.back().icon, UserDialogs::Icon::Critical);
  });
}

TEST_F(ReadFailures, AnUnreadableFolderOfASaveThatSucceededIsToldInItsOwnBox) {
  tree.File("d/Program Files/WindowsUpdate/a.w98", "a", 2004);
  tree.File("d/Program Files/OfficeUpdate/inv.txt", "o", 2003);
  tree.File("d/Program Files/OfficeUpdate/locked/x.cab", "x", 2003);
  tree.SetTime("d/Program Files/OfficeUpdate", 2003);
  tree.Folder("d/WINDOWS");
  tree.Folder("e/out");
  Lock("d/Program Files/OfficeUpdate/locked");
  dialogs.SaveInto({"E:\\out"});
  Arm();
  WithoutPermissionOverride([&] {
    // The read failure comes after the copies, before the success box, which stays as it is.
    const Calls calls = ScanDrive('D');
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[2],
              "box: The scan could not read everything, so files may have been missed:\n\n"
              "Could not read directory: D:\\Program Files\\OfficeUpdate\\locked");
    EXPECT_EQ(calls[3], "box: Your files have successfully been saved. Press OK to open the save "
                        "directory.");
    EXPECT_EQ(calls[4], "open: E:\\out\\CVL_SAVE");
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[1].icon, UserDialogs::Icon::Exclamation);
    EXPECT_EQ(dialogs.boxes[1].title, "Quillfen");
    EXPECT_EQ(dialogs.boxes[2].icon, UserDialogs::Icon::Information);
    EXPECT_EQ(Saved("e/out/CVL_SAVE"),
              "OfficeUpdate/\nOfficeUpdate/inv.txt\nREADME.TXT\na.w98\n");
  });
}

TEST_F(ReadFailures, AnUnreadableFileIsAFailedCopy) {
  Inventories();
  tree.File("c/Program Files/WindowsUpdate/b.gng", "b", 2004);
  Lock("c/Program Files/WindowsUpdate/b.gng");
  Arm();
  WithoutPermissionOverride([&] {
    EXPECT_TRUE(Says(ScanLocal(), {"<t> - File found: b.gng\r\n<t> - Could not copy file: b.gng"}));
    EXPECT_EQ(tree.Read("c/CVL_SAVE/a.w98"), "a");
    EXPECT_FALSE(tree.Exists("c/CVL_SAVE/b.gng"));
  });
}

// Makes `levels` nested folders of 200-character names below `relative`, and a file at the
// bottom: a path no kernel call can take whole (PATH_MAX is 4,096 bytes).
void DeepTree(const testsupport::TempTree& tree, const std::string& relative, int levels) {
  int fd = open(tree.Path(relative).c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  const std::string name(200, 'd');
  for (int i = 0; i < levels; ++i) {
    ASSERT_EQ(mkdirat(fd, name.c_str(), 0755), 0);
    const int inner = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
    close(fd);
    ASSERT_GE(inner, 0);
    fd = inner;
  }
  const int file = openat(fd, "deep.cab", O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(file, 0);
  ASSERT_EQ(write(file, "deep", 4), 4);
  close(file);
  close(fd);
}

// The bytes of the file `levels` folders of DeepTree below `relative`, read through
// descriptors; empty when it is not there.
std::string DeepFile(const testsupport::TempTree& tree, const std::string& relative, int levels) {
  int fd = open(tree.Path(relative).c_str(), O_RDONLY | O_DIRECTORY);
  const std::string name(200, 'd');
  for (int i = 0; i < levels && fd >= 0; ++i) {
    const int inner = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    close(fd);
    fd = inner;
  }
  if (fd < 0) return {};
  const int file = openat(fd, "deep.cab", O_RDONLY | O_NOFOLLOW);
  close(fd);
  if (file < 0) return {};
  char bytes[16] = {};
  const ssize_t got = read(file, bytes, sizeof bytes);
  close(file);
  return got > 0 ? std::string(bytes, static_cast<std::size_t>(got)) : std::string();
}

// The host walks a path one folder at a time, so a tree deeper than any path the kernel takes
// whole is read and saved whole.
TEST_F(ReadFailures, ATreeDeeperThanAnyPathTheKernelTakesIsSavedWhole) {
  Inventories();
  tree.File("c/Program Files/OfficeUpdate/inv.txt", "o", 2003);
  DeepTree(tree, "c/Program Files/OfficeUpdate", 21);
  tree.SetTime("c/Program Files/OfficeUpdate", 2003);
  Arm();
  const std::string said = ScanLocal();
  EXPECT_TRUE(Says(said, {"<t> - Found a non-empty OfficeUpdate directory.",
                          "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
  EXPECT_EQ(said.find("Could not"), std::string::npos) << said;
  EXPECT_EQ(dialogs.calls, Calls{});
  EXPECT_EQ(tree.Read("c/CVL_SAVE/OfficeUpdate/inv.txt"), "o");
  EXPECT_EQ(DeepFile(tree, "c/CVL_SAVE/OfficeUpdate", 21), "deep");
}

// The count names the first folder of the walk that could not be read, as the console line
// that reports it does: not a later one.
TEST_F(ReadFailures, CountFilesNamesTheFirstFolderItCouldNotRead) {
  tree.File("e/tree/one.txt");
  tree.File("e/tree/a-open/two.txt");
  tree.File("e/tree/b-locked/x.txt");
  tree.File("e/tree/c-locked/y.txt");
  Lock("e/tree/b-locked");
  Lock("e/tree/c-locked");
  WithoutPermissionOverride([&] {
    const FileTools::FileCount count = FileTools::CountFilesIn("E:\\tree", true);
    EXPECT_EQ(count.files, 2);
    EXPECT_EQ(count.unreadable, "E:\\tree\\b-locked");
  });
  // One deeper down in an earlier folder comes first in the walk.
  tree.File("e/tree/a-open/deep/z.txt");
  Lock("e/tree/a-open/deep");
  WithoutPermissionOverride([&] {
    EXPECT_EQ(FileTools::CountFilesIn("E:\\tree", true).unreadable,
              "E:\\tree\\a-open\\deep");
  });
}

}  // namespace
}  // namespace hostile
