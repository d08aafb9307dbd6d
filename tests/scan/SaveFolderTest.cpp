// The save sequence of the folder and drive scans, and the README it leaves: boxes, picker
// and shell in order, and the whole save-folder tree.
#include <vector>

#include "ScanWorld.h"
#include "scan/SaveFolder.h"

namespace scantest {
namespace {

using UserDialogs::Buttons;
using UserDialogs::Icon;

const std::string kAsk =
    "box: You will now be prompted to specify the location where you'd like to save your "
    "Windows Update files.";
const std::string kPick = "pick: Where would you like to save your Windows Update files?";
const std::string kSaved =
    "box: Your files have successfully been saved. Press OK to open the save directory.";

using Calls = std::vector<std::string>;

class SaveFolderTest : public ScanWorld {
 protected:
  SaveFolderTest() {
    tree.File("c/src/a.w98", "a", 2004);
    tree.File("c/src/b.gng", "b", 2004);
    tree.File("c/src/IUHIST.XML", "history", 2004);
    tree.File("c/WINDOWS/Windows Update.log", "log", 2005);
    tree.Folder("d/out");
  }
  std::string Saved() const { return tree.Listing("d/out/CVL_SAVE"); }
};

TEST_F(SaveFolderTest, AnEmptyListIsReportedAndNothingIsAskedOrMade) {
  SaveFolder::SaveFoundFiles(std::vector<std::string>{});
  EXPECT_EQ(dialogs.calls, Calls{"box: No valid Windows Update files found."});
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].title, "Quillfen");
  EXPECT_EQ(dialogs.boxes[0].icon, Icon::Critical);
  EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::Ok);
  EXPECT_EQ(tree.Listing("d"), "out/\n");
}

TEST_F(SaveFolderTest, ACancelledPickerEndsSilently) {
  SaveFolder::SaveFoundFiles({"S:\\src\\a.w98"});
  EXPECT_EQ(dialogs.calls, (Calls{kAsk, kPick}));
  EXPECT_EQ(tree.Listing("d"), "out/\n");
}

TEST_F(SaveFolderTest, V4FilesGoToV4AndTheRestToTheSaveFolder) {
  dialogs.SaveInto({"T:\\out"});
  // A file that has gone since the scan is passed over without a word.
  SaveFolder::SaveFoundFiles({"S:\\src\\a.w98", "S:\\src\\gone.w98", "S:\\src\\IUHIST.XML",
                              "S:\\WINDOWS\\Windows Update.log"});

  EXPECT_EQ(dialogs.calls, (Calls{kAsk, kPick, kSaved, "open: T:\\out\\CVL_SAVE"}));
  for (const auto& box : dialogs.boxes) {
    EXPECT_EQ(box.title, "Quillfen");
    EXPECT_EQ(box.icon, Icon::Information);
    EXPECT_EQ(box.buttons, Buttons::Ok);
  }
  EXPECT_EQ(Saved(), "README.TXT\nV4/\nV4/IUHIST.XML\nV4/Windows Update.log\na.w98\n");
  EXPECT_EQ(tree.Read("d/out/CVL_SAVE/V4/IUHIST.XML"), "history");
}

TEST_F(SaveFolderTest, AnEmptyV4FolderIsRemovedButOneWithFilesStays) {
  dialogs.SaveInto({"T:\\out", "T:\\out"});
  SaveFolder::SaveFoundFiles({"S:\\src\\a.w98"});
  EXPECT_EQ(Saved(), "README.TXT\na.w98\n");

  tree.File("d/out/CVL_SAVE/V4/iuhist.xml", "earlier run");
  SaveFolder::SaveFoundFiles({"S:\\src\\b.gng"});
  EXPECT_EQ(Saved(), "README.TXT\nV4/\nV4/iuhist.xml\na.w98\nb.gng\n");
}

TEST_F(SaveFolderTest, SavingTwiceReplacesSameNamesKeepsOthersAndWritesTheReadmeOnce) {
  const std::string readme = ReadmeSource();
  ASSERT_FALSE(readme.empty());
  dialogs.SaveInto({"T:\\out", "T:\\out"});
  SaveFolder::SaveFoundFiles({"S:\\src\\a.w98", "S:\\src\\b.gng"});
  EXPECT_EQ(tree.Read("d/out/CVL_SAVE/README.TXT"), readme);

  tree.File("c/src/a.w98", "a, found again", 2004);
  SaveFolder::SaveFoundFiles({"S:\\src\\a.w98"});
  EXPECT_EQ(Saved(), "README.TXT\na.w98\nb.gng\n");
  EXPECT_EQ(tree.Read("d/out/CVL_SAVE/a.w98"), "a, found again");
  EXPECT_EQ(tree.Read("d/out/CVL_SAVE/b.gng"), "b");
  EXPECT_EQ(tree.Read("d/out/CVL_SAVE/README.TXT"), readme);
}

TEST_F(SaveFolderTest, ADriveRootHoldsTheSaveFolderDirectly) {
  dialogs.SaveInto({"T:\\"});
  SaveFolder::SaveFoundFiles({"S:\\src\\a.w98"});
  EXPECT_EQ(dialogs.opened, Calls{"T:\\CVL_SAVE"});
  EXPECT_EQ(tree.Listing("d"), "CVL_SAVE/\nCVL_SAVE/README.TXT\nCVL_SAVE/a.w98\nout/\n");
}

TEST_F(SaveFolderTest, FailedCopiesAreListedInOneBoxAndTheRestIsSaved) {
  tree.File("d/out/CVL_SAVE/b.gng/kept", "in the way");  // a folder where b.gng should go
  dialogs.SaveInto({"T:\\out"});
  SaveFolder::SaveFoundFiles({"S:\\src\\a.w98", "S:\\src\\b.gng"});

  const std::string report =
      "Saving to T:\\out\\CVL_SAVE did not fully succeed:\n\n"
      "Could not copy file: S:\\src\\b.gng\n\n"
      "The other files have been saved. Press OK to open the save directory.";
  EXPECT_EQ(dialogs.calls, (Calls{kAsk, kPick, "box: " + report, "open: T:\\out\\CVL_SAVE"}));
  EXPECT_EQ(dialogs.boxes.back().icon, Icon::Critical);
  EXPECT_EQ(dialogs.boxes.back().title, "Quillfen");
  EXPECT_EQ(Saved(), "README.TXT\na.w98\nb.gng/\nb.gng/kept\n");
}

TEST_F(SaveFolderTest, WhenNothingCouldBeSavedTheFolderIsNotOpened) {
  tree.File("d/out/CVL_SAVE/V4", "a file where the V4 folder should be");
  dialogs.SaveInto({"T:\\out"});
  SaveFolder::SaveFoundFiles({"S:\\src\\IUHIST.XML"});

  EXPECT_EQ(dialogs.calls,
            (Calls{kAsk, kPick,
                   "box: Saving to T:\\out\\CVL_SAVE did not fully succeed:\n\n"
                   "Could not create directory: T:\\out\\CVL_SAVE\\V4\n"
                   "Could not copy file: S:\\src\\IUHIST.XML\n\n"
                   "No file has been saved."}));
  EXPECT_EQ(tree.Read("d/out/CVL_SAVE/V4"), "a file where the V4 folder should be");
}

TEST_F(SaveFolderTest, AnOlderReadmeThatCannotBeReplacedIsListedInTheFailureBox) {
  tree.File("d/out/CVL_SAVE/README.TXT", "an older text");
  tree.ReadOnly("d/out/CVL_SAVE/README.TXT");
  dialogs.SaveInto({"T:\\out"});
  SaveFolder::SaveFoundFiles({"S:\\src\\a.w98"});

  EXPECT_EQ(dialogs.calls,
            (Calls{kAsk, kPick,
                   "box: Saving to T:\\out\\CVL_SAVE did not fully succeed:\n\n"
                   "Could not replace file: T:\\out\\CVL_SAVE\\README.TXT\n\n"
                   "The other files have been saved. Press OK to open the save directory.",
                   "open: T:\\out\\CVL_SAVE"}));
  EXPECT_EQ(dialogs.boxes.back().icon, Icon::Critical);
  EXPECT_EQ(tree.Read("d/out/CVL_SAVE/README.TXT"), "an older text");
  EXPECT_EQ(Saved(), "README.TXT\na.w98\n");
}

TEST_F(SaveFolderTest, ASaveFolderThatCannotBeMadeStopsTheSave) {
  tree.File("d/out/CVL_SAVE", "a file where the save folder should be");
  dialogs.SaveInto({"T:\\out"});
  SaveFolder::SaveFoundFiles({"S:\\src\\a.w98"});

  EXPECT_EQ(dialogs.calls,
            (Calls{kAsk, kPick,
                   "box: Could not create directory: T:\\out\\CVL_SAVE\n\nNo file has been saved."}));
  EXPECT_EQ(dialogs.boxes.back().icon, Icon::Critical);
  EXPECT_EQ(tree.Listing("d"), "out/\nout/CVL_SAVE\n");
}

TEST_F(SaveFolderTest, WholeFoldersAreCopiedUnderTheirOwnNameAndCountAsFound) {
  tree.File("c/Program Files/OfficeUpdate/inv.txt", "office", 2003);
  tree.File("c/Program Files/OfficeUpdate/cache/x.cab", "cab", 2003);
  dialogs.SaveInto({"T:\\out"});
  SaveFolder::SaveFoundFiles(
      ScanSources::Finds{{}, {"S:\\Program Files\\OfficeUpdate", "S:\\Program Files\\Gone"}, {}, {}});

  EXPECT_EQ(dialogs.calls, (Calls{kAsk, kPick, kSaved, "open: T:\\out\\CVL_SAVE"}));
  EXPECT_EQ(Saved(),
            "OfficeUpdate/\nOfficeUpdate/cache/\nOfficeUpdate/cache/x.cab\nOfficeUpdate/inv.txt\n"
            "README.TXT\n");
}

TEST(SaveFolderReadme, TheResourceIsTheFixedTextAndIsWrittenWholeOverALongerFile) {
  const std::string readme = ReadmeSource();
  // CR LF line ends, no end after the last line, a rule as long as the title.
  EXPECT_EQ(readme.rfind("CORVALEN QUILLFEN\r\n-----------------\r\n\r\n", 0), 0u);
  EXPECT_NE(readme.back(), '\n');
  for (std::size_t at = readme.find('\n'); at != std::string::npos; at = readme.find('\n', at + 1))
    EXPECT_EQ(readme[at - 1], '\r') << "bare line feed at " << at;

  testsupport::TempTree tree;
  testsupport::TreeDrives drives(tree, testsupport::TreeDrives::Layout::Root);
  tree.File("CVL_SAVE/README.TXT", readme + readme);
  EXPECT_EQ(SaveFolder::WriteReadme("R:\\CVL_SAVE"), SaveFolder::Readme::Written);
  EXPECT_EQ(tree.Read("CVL_SAVE/README.TXT"), readme);

  // An older README that cannot be deleted stays whole; nothing is written beside it.
  tree.File("Old/README.TXT", "an older text");
  tree.ReadOnly("Old/README.TXT");
  EXPECT_EQ(SaveFolder::WriteReadme("R:\\Old"), SaveFolder::Readme::OldKept);
  EXPECT_EQ(tree.Read("Old/README.TXT"), "an older text");

  EXPECT_EQ(SaveFolder::WriteReadme("R:\\Missing"), SaveFolder::Readme::NotWritten);
  EXPECT_FALSE(SaveFolder::SaveResourceToFile(102, "R:\\other.bin"));
  EXPECT_EQ(tree.Listing(), "CVL_SAVE/\nCVL_SAVE/README.TXT\nOld/\nOld/README.TXT\n");
}

}  // namespace
}  // namespace scantest
