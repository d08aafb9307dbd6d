// Failures told once and truthfully, and disks that change under a scan: read-only places,
// files that vanish or change between the listing and the copy, a save folder inside the
// scanned one.
#include <sys/stat.h>

#include <cstdio>

#include "HostileWorld.h"

namespace hostile {
namespace {

class ToldOnce : public HostileWorld {
 protected:
  void Inventories() {
    tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
    tree.File("c/Program Files/WindowsUpdate/b.gng", "b", 2004);
  }
};

TEST_F(ToldOnce, AReadOnlySystemDriveStopsTheScanWithItsLineAndAClosingOne) {
  Inventories();
  chmod(tree.Path("c").c_str(), 0555);
  Arm();
  WithoutPermissionOverride([&] {
    EXPECT_EQ(ScanLocal(), "<t> - Could not create directory: C:\\CVL_SAVE\r\n"
                           "<t> - Scan aborted. The save folder could not be made.");
    EXPECT_TRUE(dialogs.calls.empty());
  });
}

// A save folder that can be written but not listed (as a user without root's override meets
// one left with mode 0333): its listing fails, so what this scan wrote into it decides.
TEST_F(ToldOnce, ASaveFolderThatCanBeWrittenButNotListedEndsSavedNotEmpty) {
  Inventories();
  tree.Folder("c/CVL_SAVE");
  chmod(tree.Path("c/CVL_SAVE").c_str(), 0333);
  Arm();
  WithoutPermissionOverride([&] {
    const std::string said = ScanLocal();
    EXPECT_TRUE(Says(said, {"<t> - File found: a.w98\r\n<t> - File found: b.gng",
                            "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
    EXPECT_EQ(said.find("Could not remove directory"), std::string::npos) << said;
    EXPECT_TRUE(openButton.visible);
  });
  chmod(tree.Path("c/CVL_SAVE").c_str(), 0755);
  EXPECT_EQ(Saved("c/CVL_SAVE"), "README.TXT\na.w98\nb.gng\n");
}

TEST_F(ToldOnce, AReadOnlySaveFolderFailsEveryCopyAndNeverClaimsNothingWasFound) {
  Inventories();
  tree.Folder("c/CVL_SAVE");
  chmod(tree.Path("c/CVL_SAVE").c_str(), 0555);
  Arm();
  WithoutPermissionOverride([&] {
    EXPECT_TRUE(Says(ScanLocal(), {"<t> - File found: a.w98\r\n<t> - Could not copy file: a.w98",
                                   "<t> - File found: b.gng\r\n<t> - Could not copy file: b.gng",
                                   "<t> - Scan ended. None of the files found could be saved."}));
    EXPECT_FALSE(openButton.visible);
  });
}

TEST_F(ToldOnce, AV4FolderThatCannotBeRemovedLeavesTheSuccessBoxAlone) {
  tree.File("e/inv/a.w98", "a", 2004);
  tree.Folder("e/out/CVL_SAVE/V4/leftover");  // an earlier run's empty folder keeps V4
  dialogs.SaveInto({"E:\\out"});
  Arm();
  EXPECT_EQ(ScanFolder("E:\\inv"),
            SavedWithoutAWord("E:\\out\\CVL_SAVE"));
  EXPECT_EQ(dialogs.boxes[1].icon, UserDialogs::Icon::Information);
}

TEST_F(ToldOnce, AFileThatVanishesBeforeItsCopyIsSaidAndTheScanGoesOn) {
  Inventories();
  console.onInsert = [&](const std::string& text) {
    if (text.find("File found: a.w98") != std::string::npos)
      std::remove(tree.Path("c/Program Files/WindowsUpdate/a.w98").c_str());
  };
  Arm();
  Changes("c/Program Files/WindowsUpdate/a.w98");
  EXPECT_TRUE(Says(ScanLocal(), {"<t> - File found: a.w98\r\n<t> - Could not copy file: a.w98",
                                 "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
  EXPECT_EQ(tree.Read("c/CVL_SAVE/b.gng"), "b");
}

TEST_F(ToldOnce, AFileThatChangesBeforeItsCopyIsSavedWholeAsItIsThen) {
  Inventories();
  const std::string longer(200000, 'n');
  console.onInsert = [&](const std::string& text) {
    if (text.find("File found: a.w98") != std::string::npos)
      tree.File("c/Program Files/WindowsUpdate/a.w98", longer, 2004);
  };
  Arm();
  Changes("c/Program Files/WindowsUpdate/a.w98");
  ScanLocal();
  EXPECT_EQ(tree.Read("c/CVL_SAVE/a.w98"), longer);
}

TEST_F(ToldOnce, ASaveFolderInsideTheScannedFolderTouchesNoSource) {
  tree.File("e/inv/a.w98", "a", 2004);
  tree.File("e/inv/iuhist.xml", "h", 2004);
  dialogs.SaveInto({"E:\\inv", "E:\\inv"});
  Arm();
  ScanFolder("E:\\inv");
  ScanFolder("E:\\inv");  // again, with CVL_SAVE now inside: it is no file of the folder
  EXPECT_EQ(Saved("e/inv"),
            "CVL_SAVE/\nCVL_SAVE/README.TXT\nCVL_SAVE/V4/\nCVL_SAVE/V4/iuhist.xml\n"
            "CVL_SAVE/a.w98\na.w98\niuhist.xml\n");
  EXPECT_EQ(dialogs.calls.back(), "open: E:\\inv\\CVL_SAVE");
}

}  // namespace
}  // namespace hostile
