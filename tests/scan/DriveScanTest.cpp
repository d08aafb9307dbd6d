// The scan of another drive (T:): its Program Files, WindowsUpdate and V4 folders, its
// Windows folder found or picked, its V4 log and its OfficeUpdate folder.
#include <filesystem>
#include <vector>

#include "ScanWorld.h"
#include "scan/ScanProcess.h"

namespace scantest {
namespace {

using Calls = std::vector<std::string>;

const std::string kAsk =
    "box: You will now be prompted to specify the location where you'd like to save your "
    "Windows Update files.";
const std::string kPick = "pick: Where would you like to save your Windows Update files?";
const std::string kSaved =
    "box: Your files have successfully been saved. Press OK to open the save directory.";
const std::string kNothing = "box: No valid Windows Update files found.";
const std::string kNoWindows =
    "box: The program could not determine your Windows directory. Click OK to select it "
    "manually.";
const std::string kPickWindows =
    "pick: Select the Windows directory on the drive you'd like to scan.";

class DriveScan : public ScanWorld {
 protected:
  DriveScan() { tree.Folder("c/save"); }
  // How the other drives window hands over its selection.
  void Scan() { ScanProcess::ScanDrive("t: [" + tree.Path("d") + "]"); }
  std::string Saved() const { return tree.Listing("c/save/CVL_SAVE"); }
};

TEST_F(DriveScan, CollectsInventoriesV4FilesTheLogAndTheOfficeUpdateFolder) {
  tree.File("d/Program Files/WindowsUpdate/a.w98", "a", 2004);
  tree.File("d/Program Files/WindowsUpdate/iuhist.xml", "a V4 name outside V4", 2004);
  tree.File("d/Program Files/WindowsUpdate/new.gng", "too new", 2021);
  tree.File("d/Program Files/WindowsUpdate/V4/iuhist.xml", "history", 2004);
  tree.File("d/Program Files/WindowsUpdate/V4/x.w98", "an inventory name inside V4", 2004);
  tree.File("d/Program Files/WindowsUpdate/V4/iuhist_catalogadmin.xml", "too new", 2021);
  tree.File("d/Program Files/OfficeUpdate/cache/x.cab", "cab", 2003);
  tree.SetTime("d/Program Files/OfficeUpdate", 2003);
  tree.File("d/WINDOWS/Windows Update.log", "log", 2005);
  dialogs.SaveInto({"S:\\save"});

  Scan();
  EXPECT_EQ(dialogs.calls, (Calls{kAsk, kPick, kSaved, "open: S:\\save\\CVL_SAVE"}));
  EXPECT_EQ(Saved(),
            "OfficeUpdate/\nOfficeUpdate/cache/\nOfficeUpdate/cache/x.cab\nREADME.TXT\nV4/\n"
            "V4/Windows Update.log\nV4/iuhist.xml\na.w98\n");
  EXPECT_EQ(tree.Read("c/save/CVL_SAVE/V4/iuhist.xml"), "history");
}

TEST_F(DriveScan, AnOfficeUpdateFolderOf2020OrWithoutFilesIsLeftAlone) {
  tree.File("d/Program Files/OfficeUpdate/inv.txt", "office", 2003);
  tree.SetTime("d/Program Files/OfficeUpdate", 2020);
  tree.Folder("d/WINDOWS");
  Scan();
  EXPECT_EQ(dialogs.calls, Calls{kNothing});

  std::filesystem::remove(tree.Path("d/Program Files/OfficeUpdate/inv.txt"));
  tree.Folder("d/Program Files/OfficeUpdate/empty");
  tree.SetTime("d/Program Files/OfficeUpdate", 2003);
  Scan();
  EXPECT_EQ(dialogs.calls, (Calls{kNothing, kNothing}));
}

TEST_F(DriveScan, WinntComesBeforeWindows) {
  tree.File("d/WINNT/Windows Update.log", "from WINNT", 2004);
  tree.File("d/WINDOWS/Windows Update.log", "from WINDOWS", 2004);
  EXPECT_EQ(ScanProcess::FindWindowsFolder("T:\\"), "T:\\WINNT\\");
  EXPECT_EQ(ScanProcess::FindWindowsFolder("T:"), "T:\\WINNT\\");

  // Without any Program Files folder only the log is saved.
  dialogs.SaveInto({"S:\\save"});
  Scan();
  EXPECT_EQ(Saved(), "README.TXT\nV4/\nV4/Windows Update.log\n");
  EXPECT_EQ(tree.Read("c/save/CVL_SAVE/V4/Windows Update.log"), "from WINNT");
}

TEST_F(DriveScan, ALocalizedProgramFilesFolderIsScanned) {
  tree.File("d/Programme/WindowsUpdate/a.w98", "a", 2004);
  tree.Folder("d/windows");  // folder names match without regard to case
  dialogs.SaveInto({"S:\\save"});
  Scan();
  EXPECT_EQ(Saved(), "README.TXT\na.w98\n");
}

TEST_F(DriveScan, NoWindowsFolderAndCancelEndsSilentlyWithNothingSaved) {
  tree.File("d/Program Files/WindowsUpdate/a.w98", "a", 2004);
  dialogs.answers[UserDialogs::Question::ChooseWindowsFolder] = {UserDialogs::Answer::Cancel};
  Scan();
  EXPECT_EQ(dialogs.calls, Calls{kNoWindows});
  EXPECT_EQ(dialogs.boxes[0].icon, UserDialogs::Icon::Warning);
  EXPECT_EQ(dialogs.boxes[0].buttons, UserDialogs::Buttons::OkCancel);
  EXPECT_EQ(dialogs.boxes[0].title, "Quillfen");
  EXPECT_EQ(tree.Listing("c/save"), "");
}

TEST_F(DriveScan, NoWindowsFolderAndACancelledPickerEndsSilently) {
  tree.File("d/Program Files/WindowsUpdate/a.w98", "a", 2004);
  Scan();  // OK to the warning, then nothing picked
  EXPECT_EQ(dialogs.calls, (Calls{kNoWindows, kPickWindows}));
  EXPECT_EQ(tree.Listing("c/save"), "");
}

TEST_F(DriveScan, APickedWindowsFolderIsTakenAsItIsEvenOnAnotherDrive) {
  tree.File("c/OldWin/Windows Update.log", "from C", 2004);
  dialogs.picks[UserDialogs::Question::WindowsFolder] = {"S:\\OldWin"};
  dialogs.SaveInto({"S:\\save"});
  Scan();
  EXPECT_EQ(dialogs.calls, (Calls{kNoWindows, kPickWindows, kAsk, kPick, kSaved,
                                  "open: S:\\save\\CVL_SAVE"}));
  EXPECT_EQ(tree.Read("c/save/CVL_SAVE/V4/Windows Update.log"), "from C");

  // A picked folder that does not exist is no Windows folder.
  dialogs.picks[UserDialogs::Question::WindowsFolder] = {"S:\\NoSuchFolder"};
  EXPECT_EQ(ScanProcess::FindWindowsFolder("T:\\"), "");
}

// Two found files of one name go to one place, and the later in the list remains.
TEST_F(DriveScan, TheWindowsFoldersLogReplacesASameNamedV4File) {
  tree.File("d/Program Files/WindowsUpdate/V4/windows update.log", "from V4", 2004);
  tree.File("d/WINDOWS/Windows Update.log", "from WINDOWS", 2004);
  dialogs.SaveInto({"S:\\save"});
  Scan();
  EXPECT_EQ(Saved(), "README.TXT\nV4/\nV4/windows update.log\n");
  EXPECT_EQ(tree.Read("c/save/CVL_SAVE/V4/windows update.log"), "from WINDOWS");
}

TEST_F(DriveScan, NothingFoundIsReportedOnceTheWindowsFolderIsKnown) {
  tree.File("d/Program Files/WindowsUpdate/new.w98", "too new", 2021);
  tree.File("d/WINDOWS/Windows Update.log", "too new", 2021);
  Scan();
  EXPECT_EQ(dialogs.calls, Calls{kNothing});
  EXPECT_EQ(tree.Listing("c/save"), "");
}

}  // namespace
}  // namespace scantest
