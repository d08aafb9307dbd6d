// The scan of one picked folder: what it takes, and the save it hands over.
#include <vector>

#include "ScanWorld.h"
#include "scan/ScanProcess.h"

namespace scantest {
namespace {

using Calls = std::vector<std::string>;

const std::string kNothing = "box: No valid Windows Update files found.";

class FolderScan : public ScanWorld {
 protected:
  std::string Saved() const { return tree.Listing("d/out/CVL_SAVE"); }
};

TEST_F(FolderScan, TakesWantedOldEnoughVisibleFilesDirectlyInTheFolder) {
  tree.File("c/aside/a.w98", "a", 2004);
  tree.File("c/aside/iuhist.xml", "h", 2004);
  tree.File("c/aside/Windows Update.log", "log", 2020);
  tree.File("c/aside/new.gng", "too new", 2021);
  tree.File("c/aside/.hidden.w98", "hidden", 2004);
  tree.File("c/aside/desktop.ini", "not wanted", 2004);
  tree.File("c/aside/V4/iuhist_catalogadmin.xml", "in a subfolder", 2004);
  tree.File("c/aside/sub/b.w95", "in a subfolder", 2004);
  tree.Folder("d/out");
  dialogs.SaveInto({"T:\\out"});

  ScanProcess::ScanFolder("S:\\aside");
  EXPECT_EQ(Saved(), "README.TXT\nV4/\nV4/Windows Update.log\nV4/iuhist.xml\na.w98\n");
  EXPECT_EQ(dialogs.opened, Calls{"T:\\out\\CVL_SAVE"});
}

TEST_F(FolderScan, FilesOnlyInSubfoldersAreNothingFound) {
  tree.File("c/aside/V4/iuhist.xml", "h", 2004);
  tree.File("c/aside/new.w98", "too new", 2021);
  ScanProcess::ScanFolder("S:\\aside");
  EXPECT_EQ(dialogs.calls, Calls{kNothing});
}

TEST_F(FolderScan, ADriveRootIsScannedLikeAnyFolder) {
  tree.File("d/a.w98", "a", 2004);
  tree.Folder("c/save");
  dialogs.SaveInto({"S:\\save"});
  ScanProcess::ScanFolder("T:\\");
  // Only inventory files: no V4 folder is left behind.
  EXPECT_EQ(tree.Listing("c/save"), "CVL_SAVE/\nCVL_SAVE/README.TXT\nCVL_SAVE/a.w98\n");
}

TEST_F(FolderScan, SavingIntoTheScannedFolderItselfHarmsNoSource) {
  // The scanned folder is a CVL_SAVE, and its parent is picked as the save place: every copy
  // would be a file onto itself.
  tree.File("c/keep/CVL_SAVE/a.w98", "inventory a", 2004);
  tree.File("c/keep/CVL_SAVE/b.GNG", "inventory b", 2003);
  tree.File("c/keep/CVL_SAVE/README.TXT", ReadmeSource(), 2005);
  const std::vector<std::string> sources = {"c/keep/CVL_SAVE/a.w98", "c/keep/CVL_SAVE/b.GNG"};
  std::vector<std::string> before;
  for (const auto& source : sources) before.push_back(Fingerprint(tree, source));
  dialogs.SaveInto({"S:\\keep"});

  ScanProcess::ScanFolder("S:\\keep\\CVL_SAVE");

  for (std::size_t i = 0; i < sources.size(); ++i)
    EXPECT_EQ(Fingerprint(tree, sources[i]), before[i]) << sources[i];
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  const std::string& report = dialogs.boxes[1].text;
  EXPECT_NE(report.find("Could not copy file: S:\\keep\\CVL_SAVE\\a.w98"), std::string::npos);
  EXPECT_NE(report.find("Could not copy file: S:\\keep\\CVL_SAVE\\b.GNG"), std::string::npos);
  EXPECT_NE(report.find("No file has been saved."), std::string::npos);
  EXPECT_EQ(dialogs.boxes[1].icon, UserDialogs::Icon::Critical);
  EXPECT_TRUE(dialogs.opened.empty());
  EXPECT_EQ(tree.Listing("c/keep"), "CVL_SAVE/\nCVL_SAVE/README.TXT\nCVL_SAVE/a.w98\nCVL_SAVE/b.GNG\n");
}

}  // namespace
}  // namespace scantest
