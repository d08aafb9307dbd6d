// File tools over what only the POSIX host meets: symbolic links, TZ changed while it runs;
// and a folder too big to make under Wine, where each new file costs a search of its folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/FakeDialogs.h"
#include "support/TempTree.h"
#include "system/FileTools.h"

using testsupport::EnvGuard;
using testsupport::TempTree;
using testsupport::TreeDrives;

namespace {

class PosixFileToolsTest : public ::testing::Test {
 protected:
  TempTree tree;
  TreeDrives drives{tree, TreeDrives::Layout::Root};
  EnvGuard tz{"TZ", "UTC"};
  testsupport::FakeDialogs dialogs;
};

TEST_F(PosixFileToolsTest, CountFilesNeverWraps) {
  tree.Folder("Big");
  for (int i = 0; i < 33000; ++i) tree.File("Big/f" + std::to_string(i), "");
  EXPECT_EQ(FileTools::CountFiles("R:\\Big", false), 33000);
}

TEST_F(PosixFileToolsTest, CountFilesNeverLoopsThroughALinkToAnAncestor) {
  tree.File("Loop/inner/x.txt");
  ASSERT_EQ(symlink(tree.Path("Loop").c_str(), tree.Path("Loop/inner/back").c_str()), 0);
  EXPECT_EQ(FileTools::CountFiles("R:\\Loop", true), 1);
}

TEST_F(PosixFileToolsTest, CopyFolderNeverFollowsALinkBackIntoItsOwnTree) {
  tree.File("Src/a.txt");
  ASSERT_EQ(symlink(tree.Path("Src").c_str(), tree.Path("Src/loop").c_str()), 0);
  FileTools::CopyFolder("R:\\Src", "R:\\Dst");
  EXPECT_TRUE(tree.Exists("Dst/a.txt"));
  EXPECT_FALSE(tree.Exists("Dst/loop"));
}

TEST_F(PosixFileToolsTest, YearsFollowTheTimeZoneOfTheMoment) {
  tree.File("edge.txt");
  tree.SetTime("edge.txt", 2020, 12, 31, 23, 30);
  EXPECT_EQ(FileTools::FileYear("R:\\edge.txt"), 2020);
  // An hour east of UTC the same instant is already in 2021.
  EnvGuard east("TZ", "UTC-1");
  EXPECT_EQ(FileTools::FileYear("R:\\edge.txt"), 2021);
}

}  // namespace
