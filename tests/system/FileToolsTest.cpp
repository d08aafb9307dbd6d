// File tools over a real temporary tree seen as drive R:.
#include "system/FileTools.h"
#include "system/FolderCopy.h"

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/TempTree.h"

using testsupport::EnvGuard;
using testsupport::FakeDialogs;
using testsupport::TempTree;

namespace {

class FileToolsTest : public ::testing::Test {
 protected:
  TempTree tree;
  testsupport::TreeDrives drives{tree, testsupport::TreeDrives::Layout::Root};
  EnvGuard tz{"TZ", "UTC"};
  FakeDialogs dialogs;
};

TEST_F(FileToolsTest, ExistenceTestsTellFilesFromFoldersAndHideHiddenFiles) {
  tree.File("WINDOWS/win.ini");
  tree.File("WINDOWS/.hidden.log");
  tree.File("WINDOWS/readonly.txt");
  tree.ReadOnly("WINDOWS/readonly.txt");

  EXPECT_TRUE(FileTools::FolderExists("R:\\WINDOWS"));
  EXPECT_TRUE(FileTools::FolderExists("R:\\WINDOWS\\"));
  EXPECT_TRUE(FileTools::FolderExists("r:\\windows"));
  EXPECT_TRUE(FileTools::FolderExists("R:\\"));
  EXPECT_FALSE(FileTools::FolderExists("R:\\WINDOWS\\win.ini"));
  EXPECT_FALSE(FileTools::FolderExists("R:\\NOPE"));
  EXPECT_FALSE(FileTools::FolderExists("Q:\\"));

  EXPECT_TRUE(FileTools::FileExists("R:\\WINDOWS\\win.ini"));
  EXPECT_TRUE(FileTools::FileExists("R:\\WINDOWS\\WIN.INI"));
  EXPECT_TRUE(FileTools::FileExists("R:\\WINDOWS\\readonly.txt"));
  EXPECT_TRUE(FileTools::FileExists("R:\\WINDOWS\\*.ini"));
  EXPECT_FALSE(FileTools::FileExists("R:\\WINDOWS"));
  EXPECT_FALSE(FileTools::FileExists("R:\\WINDOWS\\.hidden.log"));
  EXPECT_FALSE(FileTools::FileExists("R:\\WINDOWS\\missing.ini"));
  EXPECT_FALSE(FileTools::FileExists("R:\\WINDOWS\\*.xml"));
}

TEST_F(FileToolsTest, CountFilesCountsHiddenFilesAndRecursesOnlyWhenAsked) {
  tree.File("F/a.txt");
  tree.File("F/b.txt");
  tree.File("F/.hidden");
  tree.File("F/sub/c.txt");
  tree.File("F/sub/deeper/d.txt");
  tree.Folder("Empty");

  EXPECT_EQ(FileTools::CountFiles("R:\\F", false), 3);
  EXPECT_EQ(FileTools::CountFiles("R:\\F\\", false), 3);
  EXPECT_EQ(FileTools::CountFiles("R:\\F", true), 5);
  EXPECT_EQ(FileTools::CountFiles("R:\\Empty", true), 0);
  EXPECT_EQ(FileTools::CountFiles("R:\\Missing", true), -1);
  EXPECT_EQ(FileTools::CountFiles("R:\\F\\a.txt", true), -1);
}

TEST_F(FileToolsTest, YearsComeFromLocalModificationTimes) {
  tree.File("old.txt", "x", 2004);
  tree.File(".hidden.txt", "x", 2004);
  tree.Folder("OldFolder", 2019);
  tree.File("edge.txt");
  tree.SetTime("edge.txt", 2020, 12, 31, 23, 30);

  EXPECT_EQ(FileTools::FileYear("R:\\old.txt"), 2004);
  EXPECT_EQ(FileTools::FileYear("R:\\OLD.TXT"), 2004);
  EXPECT_EQ(FileTools::FileYear("R:\\.hidden.txt"), -1);
  EXPECT_EQ(FileTools::FileYear("R:\\OldFolder"), -1);
  EXPECT_EQ(FileTools::FileYear("R:\\missing.txt"), -1);
  EXPECT_EQ(FileTools::FolderYear("R:\\OldFolder"), 2019);
  EXPECT_EQ(FileTools::FolderYear("R:\\OldFolder\\"), 2019);
  EXPECT_EQ(FileTools::FolderYear("R:\\Missing"), -1);

  EXPECT_EQ(FileTools::FileYear("R:\\edge.txt"), 2020);
}

TEST_F(FileToolsTest, CopyFolderCopiesVisibleTreeKeepsTimesAndReplacesFiles) {
  tree.File("Src/a.txt", "new a", 2003);
  tree.File("Src/.hidden", "h");
  tree.File("Src/sub/b.txt", "b", 2002);
  tree.File("Src/sub/deep/c.txt", "c", 2001);
  tree.Folder("Src/emptysub");
  tree.Folder("Src/.hiddendir");
  tree.File("Src/.hiddendir/x.txt");
  tree.File("Dst/a.txt", "old a");
  tree.File("Dst/keep.txt", "keep");

  EXPECT_TRUE(FileTools::CopyFolder("R:\\Src", "R:\\Dst"));
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(tree.Listing("Dst"),
            "a.txt\nemptysub/\nkeep.txt\nsub/\nsub/b.txt\nsub/deep/\nsub/deep/c.txt\n");
  EXPECT_EQ(tree.Read("Dst/a.txt"), "new a");
  EXPECT_EQ(tree.Read("Dst/keep.txt"), "keep");
  EXPECT_EQ(tree.Read("Dst/sub/deep/c.txt"), "c");
  EXPECT_TRUE(tree.Exists("Dst/emptysub"));
  EXPECT_EQ(FileTools::FileYear("R:\\Dst\\sub\\deep\\c.txt"), 2001);
  EXPECT_EQ(FileTools::FileYear("R:\\Dst\\a.txt"), 2003);
}

TEST_F(FileToolsTest, CopyFolderIntoAMissingParentSaysSoOnceAndCopiesNothing) {
  tree.File("Src/a.txt");
  tree.File("Src/sub/b.txt");

  EXPECT_FALSE(FileTools::CopyFolder("R:\\Src", "R:\\NoParent\\Dst"));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Error copying directory");
  EXPECT_EQ(dialogs.boxes[0].icon, UserDialogs::Icon::Exclamation);
  EXPECT_FALSE(tree.Exists("NoParent"));
}

TEST_F(FileToolsTest, CopyFolderGoesOnPastAFileItCannotReplace) {
  tree.File("Src/a.txt", "a");
  tree.File("Src/blocked", "new");
  tree.File("Src/z.txt", "z");
  tree.File("Src/sub/b.txt", "b");
  tree.Folder("Dst/blocked");  // a folder where a file should go: that copy must fail

  EXPECT_FALSE(FileTools::CopyFolder("R:\\Src", "R:\\Dst"));
  EXPECT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(tree.Read("Dst/a.txt"), "a");
  EXPECT_EQ(tree.Read("Dst/z.txt"), "z");
  EXPECT_EQ(tree.Read("Dst/sub/b.txt"), "b");
  EXPECT_EQ(tree.Read("Src/blocked"), "new");
}

TEST_F(FileToolsTest, CopyFolderNeverCopiesADestinationInsideItsSourceIntoItself) {
  tree.File("Src/a.txt");
  EXPECT_TRUE(FileTools::CopyFolder("R:\\Src", "R:\\Src\\Copy"));
  EXPECT_TRUE(tree.Exists("Src/Copy/a.txt"));
  EXPECT_FALSE(tree.Exists("Src/Copy/Copy"));
}

TEST(LastPathPart, TakesTheTextAfterTheLastBackslash) {
  EXPECT_EQ(FileTools::LastPathPart("R:\\WINDOWS\\Windows Update.log"), "Windows Update.log");
  EXPECT_EQ(FileTools::LastPathPart("R:\\WINDOWS\\"), "");
  EXPECT_EQ(FileTools::LastPathPart("name.txt"), "name.txt");
  EXPECT_EQ(FileTools::LastPathPart(""), "");
  EXPECT_EQ(FileTools::LastPathPart("C:/unix/style"), "C:/unix/style");
}

TEST_F(FileToolsTest, PickerAndShellGoThroughTheDialogService) {
  dialogs.picks[UserDialogs::Question::FolderToScan] = {"D:\\"};
  EXPECT_EQ(FileTools::BrowseForFolder(0, "Pick one", UserDialogs::Question::FolderToScan), "D:\\");
  EXPECT_EQ(FileTools::BrowseForFolder(0, "Again", UserDialogs::Question::FolderToScan), "");
  FileTools::OpenInShell("R:\\CVL_SAVE");
  EXPECT_EQ(dialogs.pickerPrompts, (std::vector<std::string>{"Pick one", "Again"}));
  EXPECT_EQ(dialogs.opened, std::vector<std::string>{"R:\\CVL_SAVE"});
}

}  // namespace
