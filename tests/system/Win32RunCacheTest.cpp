// What the Win32 host keeps while a run lasts: what a listing found of a file answers the
// run's later questions about it, unless the host itself has changed the file since, however
// it spelt the file's path; outside a run, every question goes to Windows.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeDialogs.h"
#include "support/TempTree.h"
#include "system/FileTools.h"
#include "system/WindowsApi.h"

namespace {

using testsupport::TempTree;
using testsupport::TreeDrives;

class Win32Run : public ::testing::Test {
 protected:
  // A listing of the folder, as a scan makes one before asking about each file.
  static void List(const std::string& folder) {
    std::vector<WindowsApi::FindData> entries;
    ASSERT_TRUE(WindowsApi::ListFolder(folder + "\\*.*", entries));
  }
  static bool Write(const std::string& path, const std::string& text) {
    return WindowsApi::WriteWholeFile(path, reinterpret_cast<const unsigned char*>(text.data()), text.size());
  }

  TempTree tree;
  TreeDrives drives{tree, TreeDrives::Layout::Root};
  testsupport::FakeDialogs dialogs;
};

TEST_F(Win32Run, AListingAnswersTheRunsLaterQuestionsAboutItsFilesAsWindowsWould) {
  tree.File("wu/a.w98", "a", 2004);
  tree.File("wu/b.w98", "b", 2004);
  tree.File("wu/hidden.w98", "h", 2004);
  ASSERT_TRUE(SetFileAttributesA("R:\\wu\\hidden.w98", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  const DWORD hiddenBits = GetFileAttributesA("R:\\wu\\hidden.w98");
  {
    WindowsApi::RunScope run;
    List("R:\\wu");
    EXPECT_EQ(WindowsApi::FileAttributes("R:\\wu\\hidden.w98"), hiddenBits);
    EXPECT_FALSE(FileTools::FileExists("R:\\wu\\hidden.w98"));
    EXPECT_EQ(FileTools::FileYear("R:\\wu\\a.w98"), 2004);
    EXPECT_FALSE(FileTools::FolderExists("R:\\wu\\a.w98"));

    // Another program changes the files meanwhile: the run goes by what its listing found.
    tree.SetTime("wu/a.w98", 2021);
    ASSERT_TRUE(DeleteFileA("R:\\wu\\b.w98"));
    EXPECT_EQ(FileTools::FileYear("R:\\wu\\a.w98"), 2004);
    EXPECT_TRUE(FileTools::FileExists("R:\\wu\\b.w98"));
    // A path spelt otherwise than the listing spelt it is asked of Windows.
    EXPECT_EQ(FileTools::FileYear("R:\\wu\\A.W98"), 2021);
    EXPECT_FALSE(FileTools::FileExists("r:\\wu\\b.w98"));
    EXPECT_EQ(FileTools::FileYear("R:\\wu\\a.w98\\"), -1) << "a final separator asks for a folder";
  }
  // Once the run is over, everything is asked anew.
  EXPECT_EQ(FileTools::FileYear("R:\\wu\\a.w98"), 2021);
  EXPECT_FALSE(FileTools::FileExists("R:\\wu\\b.w98"));
}

TEST_F(Win32Run, TheHostsOwnChangesAreSeenHoweverTheyNameTheFile) {
  tree.File("wu/a.w98", "old", 2004);
  tree.File("wu/b.w98", "b", 2004);
  tree.File("wu/c.w98", "c", 2004);
  tree.File("wu/A Long File Name.w98", "long", 2004);
  tree.File("new/a.w98", "new", 2010);
  char shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameA("R:\\wu\\A Long File Name.w98", shortPath, MAX_PATH), 0u);
  ASSERT_STRNE(shortPath, "R:\\wu\\A Long File Name.w98");

  WindowsApi::RunScope run;
  List("R:\\wu");
  ASSERT_TRUE(WindowsApi::CopyFileReplacing("R:\\new\\a.w98", "R:\\wu\\A.W98"));
  EXPECT_EQ(FileTools::FileYear("R:\\wu\\a.w98"), 2010);
  ASSERT_TRUE(WindowsApi::DeleteOneFile("R:\\WU\\B.W98"));
  EXPECT_FALSE(FileTools::FileExists("R:\\wu\\b.w98"));
  ASSERT_TRUE(Write("R:\\wu\\c.w98", "written now"));
  EXPECT_EQ(FileTools::FileYear("R:\\wu\\c.w98"), WindowsApi::Now().year);
  ASSERT_TRUE(WindowsApi::DeleteOneFile(shortPath));
  EXPECT_FALSE(FileTools::FileExists("R:\\wu\\A Long File Name.w98"));
  EXPECT_EQ(tree.Listing("wu"), "a.w98\nc.w98\n");
}

TEST_F(Win32Run, AFolderTheRunWroteIntoTakesNoFileOnceItHasGone) {
  tree.File("source.txt", "s");
  WindowsApi::RunScope run;
  ASSERT_TRUE(WindowsApi::MakeFolder("R:\\save"));
  ASSERT_TRUE(Write("R:\\save\\a.txt", "a"));
  ASSERT_TRUE(WindowsApi::DeleteOneFile("R:\\save\\a.txt"));
  ASSERT_TRUE(WindowsApi::RemoveEmptyFolder("R:\\save"));
  EXPECT_FALSE(Write("R:\\save\\b.txt", "b"));
  EXPECT_EQ(tree.Listing(), "source.txt\n");

  // Made anew, it is written into; removed by another program, it takes nothing again.
  ASSERT_TRUE(WindowsApi::MakeFolder("R:\\save"));
  ASSERT_TRUE(Write("R:\\save\\b.txt", "b"));
  EXPECT_EQ(tree.Read("save/b.txt"), "b");
  ASSERT_TRUE(DeleteFileA("R:\\save\\b.txt"));
  ASSERT_TRUE(RemoveDirectoryA("R:\\save"));
  EXPECT_FALSE(Write("R:\\save\\c.txt", "c"));
  EXPECT_FALSE(WindowsApi::CopyFileReplacing("R:\\source.txt", "R:\\save\\c.txt"));
  EXPECT_EQ(tree.Listing(), "source.txt\n");
}

TEST_F(Win32Run, AFolderTheRunWritesIntoIsListedOnceAndItsNamesStillGuardWhatTheyName) {
  for (const char* name : {"a", "b", "c", "d"}) tree.File(std::string("src/") + name + ".w98", name, 2010);
  tree.File("save/A.W98", "old a", 2004);
  tree.File("save/KEEP.W98", "kept", 2004);
  tree.ReadOnly("save/KEEP.W98");
  tree.Folder("save/Sub.w98");

  WindowsApi::RunScope run;
  ASSERT_TRUE(WindowsApi::CopyFileReplacing("R:\\src\\b.w98", "R:\\save\\b.w98"));
  // Names the folder held when the run first wrote there.
  ASSERT_TRUE(WindowsApi::CopyFileReplacing("R:\\src\\a.w98", "R:\\save\\a.w98"));
  EXPECT_FALSE(WindowsApi::CopyFileReplacing("R:\\src\\c.w98", "R:\\save\\keep.w98"));
  EXPECT_FALSE(WindowsApi::CopyFileReplacing("R:\\src\\c.w98", "R:\\save\\SUB.W98"));
  // A name the host made since, through another spelling of the folder.
  ASSERT_TRUE(Write("r:\\SAVE\\new.txt", "first"));
  ASSERT_TRUE(SetFileAttributesA("R:\\save\\new.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WindowsApi::CopyFileReplacing("R:\\src\\d.w98", "R:\\save\\NEW.TXT"));

  EXPECT_EQ(tree.Listing("save"), "A.W98\nKEEP.W98\nSub.w98/\nb.w98\nnew.txt\n");
  EXPECT_EQ(tree.Read("save/A.W98"), "a");
  EXPECT_EQ(tree.Read("save/KEEP.W98"), "kept");
  EXPECT_EQ(tree.Read("save/new.txt"), "first");
}

}  // namespace
