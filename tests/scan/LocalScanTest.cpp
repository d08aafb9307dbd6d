// The scan of this computer over a prepared Windows tree on drive S:: whole console
// transcripts (time stamps masked) and whole save-folder trees.
#include <filesystem>
#include <vector>

#include "ScanWorld.h"
#include "scan/ScanOptions.h"

namespace scantest {
namespace {

class LocalScan : public ScanWorld {
 protected:
  LocalScan() { ScanOptions::ResetAll(); }
  ~LocalScan() override { ScanOptions::ResetAll(); }

  void SetFlags(bool v3, bool v4, bool officeUpdate) {
    ScanOptions::ScanV3Inventories = v3;
    ScanOptions::ScanV4Inventories = v4;
    ScanOptions::ScanOUInventories = officeUpdate;
  }

  // V2/V3.1 names of 2004, of the last second of 2020 and of the first second of 2021, and a
  // file that is no inventory at all.
  void InventoryFiles() {
    tree.File("c/Program Files/WindowsUpdate/a.w98", "inventory a", 2004);
    tree.File("c/Program Files/WindowsUpdate/b.gng", "inventory b");
    tree.SetTime("c/Program Files/WindowsUpdate/b.gng", 2020, 12, 31, 23, 59, 59);
    tree.File("c/Program Files/WindowsUpdate/c.w95", "inventory c");
    tree.SetTime("c/Program Files/WindowsUpdate/c.w95", 2021, 1, 1, 0, 0, 0);
    tree.File("c/Program Files/WindowsUpdate/desktop.ini", "[.ShellClassInfo]", 2004);
  }
  void V4Files() {
    tree.File("c/Program Files/WindowsUpdate/V4/iuhist.xml", "<history/>", 2004);
    tree.File("c/Program Files/WindowsUpdate/V4/iuhist_catalogadmin.xml", "<new/>", 2021);
    tree.File("c/Program Files/WindowsUpdate/V4/notes.txt", "not wanted", 2004);
  }
  void V4Log(int year = 2005) { tree.File("c/WINDOWS/Windows Update.log", "the log", year); }
  void OfficeUpdate(int folderYear = 2003) {
    tree.File("c/Program Files/OfficeUpdate/inv.txt", "office", 2003);
    tree.File("c/Program Files/OfficeUpdate/cache/x.cab", "cab", 2003);
    tree.SetTime("c/Program Files/OfficeUpdate", folderYear);
  }
  void WUTemp(int folderYear = 2019) {
    tree.File("c/WUTemp/w.cab", "new cab", 2024);
    tree.File("c/WUTemp/sub/y.txt", "y", 2024);
    tree.SetTime("c/WUTemp", folderYear);
  }
  void EverySource() {
    InventoryFiles();
    V4Files();
    V4Log();
    OfficeUpdate();
    WUTemp();
  }

  std::string Saved() const { return tree.Listing("c/CVL_SAVE"); }
};

// What each phase writes and saves for EverySource().
const std::vector<std::string> kV3Lines = {"<t> - File found: a.w98", "<t> - File found: b.gng",
                                           "<t> - File found but too new: c.w95"};
const std::vector<std::string> kV4Lines = {
    "<t> - File found: iuhist.xml", "<t> - File found but too new: iuhist_catalogadmin.xml",
    "<t> - A Windows Update V4 log has been found."};
const std::string kOfficeUpdateLine = "<t> - Found a non-empty OfficeUpdate directory.";
const std::string kSavedLine = "<t> - Scan ended. Saved files can be found in S:\\CVL_SAVE.";
const std::string kNothingLine = "<t> - Scan ended. No corresponding files have been found.";

const std::string kV3Saved = "a.w98\nb.gng\n";
const std::string kV4Saved = "V4/\nV4/Windows Update.log\nV4/iuhist.xml\n";
const std::string kOfficeUpdateSaved =
    "OfficeUpdate/\nOfficeUpdate/cache/\nOfficeUpdate/cache/x.cab\nOfficeUpdate/inv.txt\n";
const std::string kWUTempSaved = "WUTemp/\nWUTemp/sub/\nWUTemp/sub/y.txt\nWUTemp/w.cab\n";

TEST_F(LocalScan, AbortsWriteTheirOneLineAndLeaveTheDiskAlone) {
  // Only the Office Update flag set: the checks run all the same and the OfficeUpdate folder
  // is never looked at.
  SetFlags(false, false, true);
  OfficeUpdate();
  WUTemp();
  const auto expectAbort = [&](const std::string& line) {
    console.SetText("");
    EXPECT_EQ(ScanLocal(), line);
    EXPECT_FALSE(tree.Exists("c/CVL_SAVE"));
    EXPECT_FALSE(openButton.visible);
  };

  SetProgramFilesDir("");
  expectAbort(
      "<t> - The Quillfen could not determine the Program Files directory path. Scan aborted.");

  registry.RemoveKey();
  expectAbort(
      "<t> - The WindowsUpdate directory does not exist in (Error opening key). Scan aborted.");

  SetProgramFilesDir("S:\\Program Files");
  expectAbort(
      "<t> - The WindowsUpdate directory does not exist in S:\\Program Files. Scan aborted.");

  tree.Folder("c/Program Files/WindowsUpdate/V4/empty");
  expectAbort("<t> - The WindowsUpdate directory exists but is empty. Scan aborted.");

  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(LocalScan, FullScanLogsEveryStepAndSavesEveryPhase) {
  EverySource();
  std::vector<std::string> expected = kV3Lines;
  expected.insert(expected.end(), kV4Lines.begin(), kV4Lines.end());
  expected.push_back(kOfficeUpdateLine);
  expected.push_back(kSavedLine);

  EXPECT_EQ(ScanLocal(), Lines(expected));
  EXPECT_EQ(Saved(), kOfficeUpdateSaved + "README.TXT\n" + kV4Saved + kWUTempSaved + kV3Saved);
  EXPECT_EQ(tree.Read("c/CVL_SAVE/a.w98"), "inventory a");
  EXPECT_EQ(tree.Read("c/CVL_SAVE/V4/Windows Update.log"), "the log");
  EXPECT_EQ(tree.Read("c/CVL_SAVE/OfficeUpdate/cache/x.cab"), "cab");
  EXPECT_EQ(tree.Read("c/CVL_SAVE/README.TXT"), ReadmeSource());
  EXPECT_TRUE(openButton.visible);
  EXPECT_TRUE(dialogs.calls.empty()) << "the local scan shows no box";
}

TEST_F(LocalScan, EachFlagGatesOnlyItsOwnPhase) {
  EverySource();
  for (int flags = 0; flags < 8; ++flags) {
    const bool v3 = flags & 1, v4 = flags & 2, officeUpdate = flags & 4;
    SCOPED_TRACE(::testing::Message() << "V3 " << v3 << ", V4 " << v4 << ", OU " << officeUpdate);
    std::filesystem::remove_all(tree.Path("c/CVL_SAVE"));
    console.SetText("");
    SetFlags(v3, v4, officeUpdate);

    std::vector<std::string> expected;
    if (v3) expected.insert(expected.end(), kV3Lines.begin(), kV3Lines.end());
    if (v4) expected.insert(expected.end(), kV4Lines.begin(), kV4Lines.end());
    if (officeUpdate) expected.push_back(kOfficeUpdateLine);
    expected.push_back(kSavedLine);  // WUTemp is copied whatever the flags say
    EXPECT_EQ(ScanLocal(), Lines(expected));
    EXPECT_EQ(Saved(), (officeUpdate ? kOfficeUpdateSaved : "") + "README.TXT\n" +
                           (v4 ? kV4Saved : "") + kWUTempSaved + (v3 ? kV3Saved : ""));
  }
}

TEST_F(LocalScan, NothingSavedRemovesTheSaveFolderAndSaysSo) {
  tree.File("c/Program Files/WindowsUpdate/desktop.ini");
  tree.File("c/Program Files/WindowsUpdate/V4/notes.txt");  // makes V4 while listing
  OfficeUpdate(2020);  // a folder of 2020 is too new, however old its files
  WUTemp(2020);

  EXPECT_EQ(ScanLocal(), Lines({"<t> - No corresponding Windows Update V4 log has been found.",
                                "<t> - No valid Windows Update V4 files found.",
                                "<t> - No corresponding OfficeUpdate directory found.",
                                kNothingLine}));
  EXPECT_FALSE(tree.Exists("c/CVL_SAVE"));
  EXPECT_FALSE(openButton.visible);

  // All flags clear (the options dialog refuses it) still runs the checks, WUTemp and the end.
  SetFlags(false, false, false);
  console.SetText("");
  EXPECT_EQ(ScanLocal(), kNothingLine);
  EXPECT_FALSE(tree.Exists("c/CVL_SAVE"));
}

TEST_F(LocalScan, TheV4LogAloneFillsTheV4SaveFolder) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  V4Log();
  SetFlags(false, true, false);
  EXPECT_EQ(ScanLocal(), Lines({"<t> - A Windows Update V4 log has been found.", kSavedLine}));
  EXPECT_EQ(Saved(), "README.TXT\nV4/\nV4/Windows Update.log\n");

  // A log of 2021 is not taken; the V4 folder saved before still holds it, so no line 8.
  V4Log(2021);
  console.SetText("");
  EXPECT_EQ(ScanLocal(),
            Lines({"<t> - No corresponding Windows Update V4 log has been found.", kSavedLine}));
}

TEST_F(LocalScan, OnlyFilesAtTheRootOfWUTempMakeItWorthCopying) {
  tree.File("c/Program Files/WindowsUpdate/desktop.ini");
  tree.File("c/WUTemp/sub/y.txt", "y", 2004);
  tree.SetTime("c/WUTemp", 2004);
  SetFlags(false, false, false);
  EXPECT_EQ(ScanLocal(), kNothingLine);
  EXPECT_FALSE(tree.Exists("c/CVL_SAVE"));

  tree.File("c/WUTemp/root.cab", "r", 2004);
  tree.SetTime("c/WUTemp", 2019);
  console.SetText("");
  EXPECT_EQ(ScanLocal(), kSavedLine);
  EXPECT_EQ(Saved(), "README.TXT\nWUTemp/\nWUTemp/root.cab\nWUTemp/sub/\nWUTemp/sub/y.txt\n");
}

TEST_F(LocalScan, ASecondScanKeepsEarlierFilesAndRewritesTheReadme) {
  EverySource();
  ScanLocal();
  const std::string firstSave = Saved();

  // Everything but a file that is no inventory is gone; an old, longer README lies there.
  for (const char* gone : {"c/Program Files/WindowsUpdate/a.w98", "c/Program Files/WindowsUpdate/b.gng",
                           "c/Program Files/WindowsUpdate/c.w95", "c/Program Files/WindowsUpdate/V4",
                           "c/Program Files/OfficeUpdate", "c/WUTemp", "c/WINDOWS"})
    std::filesystem::remove_all(tree.Path(gone));
  tree.File("c/CVL_SAVE/README.TXT", ReadmeSource() + "\r\nan older, longer text");

  const std::string transcript = ScanLocal();
  std::string firstScan = Lines({kV3Lines[0], kV3Lines[1], kV3Lines[2], kV4Lines[0], kV4Lines[1],
                                 kV4Lines[2], kOfficeUpdateLine, kSavedLine});
  EXPECT_EQ(transcript,
            firstScan + "\r\n" +
                Lines({"<t> - No corresponding Windows Update V4 log has been found.",
                       "<t> - No corresponding OfficeUpdate directory found.", kSavedLine}));
  EXPECT_EQ(Saved(), firstSave);
  EXPECT_EQ(tree.Read("c/CVL_SAVE/README.TXT"), ReadmeSource());
  EXPECT_TRUE(openButton.visible);
}

TEST_F(LocalScan, AFailedCopyIsItsOwnLineAndTheScanGoesOn) {
  InventoryFiles();
  tree.File("c/CVL_SAVE/a.w98/kept.txt", "in the way");  // a folder where a.w98 should go
  SetFlags(true, false, false);

  EXPECT_EQ(ScanLocal(),
            Lines({"<t> - File found: a.w98", "<t> - Could not copy file: a.w98",
                   "<t> - File found: b.gng", "<t> - File found but too new: c.w95",
                   kSavedLine}));
  EXPECT_EQ(Saved(), "README.TXT\na.w98/\na.w98/kept.txt\nb.gng\n");
  EXPECT_EQ(tree.Read("c/CVL_SAVE/a.w98/kept.txt"), "in the way");
}

TEST_F(LocalScan, ASaveFolderThatCannotBeMadeEndsTheScanWithItsLineAndAClosingOne) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  tree.File("c/Program Files/WindowsUpdate/V4/iuhist.xml", "h", 2004);
  OfficeUpdate();
  tree.File("c/CVL_SAVE", "a file where the save folder should be");

  // No file has been looked at yet, so none is called unsaved.
  EXPECT_EQ(ScanLocal(), Lines({"<t> - Could not create directory: S:\\CVL_SAVE",
                                "<t> - Scan aborted. The save folder could not be made."}));
  EXPECT_EQ(tree.Read("c/CVL_SAVE"), "a file where the save folder should be");
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_FALSE(openButton.visible);
}

TEST_F(LocalScan, AV4SaveFolderThatCannotBeMadeIsToldOnce) {
  tree.File("c/Program Files/WindowsUpdate/V4/iuhist.xml", "h", 2004);
  tree.File("c/Program Files/WindowsUpdate/V4/iuhist_catalogadmin.xml", "c", 2004);
  tree.File("c/Program Files/WindowsUpdate/V4/Windows Update.log", "v4 log", 2004);
  V4Log();
  tree.File("c/CVL_SAVE/V4", "a file where the V4 save folder should be");
  SetFlags(false, true, false);

  // The folder is tried for the first file only; each file that needed it is named.
  EXPECT_EQ(ScanLocal(),
            Lines({"<t> - Could not create directory: S:\\CVL_SAVE\\V4",
                   "<t> - File found: iuhist.xml", "<t> - Could not copy file: iuhist.xml",
                   "<t> - File found: iuhist_catalogadmin.xml",
                   "<t> - Could not copy file: iuhist_catalogadmin.xml",
                   "<t> - File found: Windows Update.log",
                   "<t> - Could not copy file: Windows Update.log",
                   "<t> - A Windows Update V4 log has been found.",
                   "<t> - Could not copy file: Windows Update.log",
                   "<t> - No valid Windows Update V4 files found.", kSavedLine}));
  EXPECT_EQ(tree.Read("c/CVL_SAVE/V4"), "a file where the V4 save folder should be");
}

TEST_F(LocalScan, AnOlderReadmeThatCannotBeReplacedIsSaidBeforeTheLastLine) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  tree.File("c/CVL_SAVE/README.TXT", "an older text");
  tree.ReadOnly("c/CVL_SAVE/README.TXT");
  SetFlags(true, false, false);

  EXPECT_EQ(ScanLocal(), Lines({"<t> - File found: a.w98",
                                "<t> - Could not replace file: S:\\CVL_SAVE\\README.TXT",
                                kSavedLine}));
  EXPECT_EQ(tree.Read("c/CVL_SAVE/README.TXT"), "an older text");
  EXPECT_EQ(Saved(), "README.TXT\na.w98\n");
}

TEST_F(LocalScan, FilesFoundButNotSavedAreNeverCalledNotFound) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  tree.File("c/Program Files/WindowsUpdate/V4/iuhist.xml", "h", 2004);
  // Empty folders where the files should go: every copy fails and no file is in the way.
  tree.Folder("c/CVL_SAVE/a.w98");
  tree.Folder("c/CVL_SAVE/V4/iuhist.xml");
  SetFlags(true, true, false);

  EXPECT_EQ(ScanLocal(),
            Lines({"<t> - File found: a.w98", "<t> - Could not copy file: a.w98",
                   "<t> - File found: iuhist.xml", "<t> - Could not copy file: iuhist.xml",
                   "<t> - No corresponding Windows Update V4 log has been found.",
                   "<t> - No valid Windows Update V4 files found.",
                   "<t> - Could not remove directory: S:\\CVL_SAVE\\V4",
                   "<t> - Could not remove directory: S:\\CVL_SAVE",
                   "<t> - Scan ended. None of the files found could be saved."}));
  EXPECT_FALSE(openButton.visible);
}

TEST_F(LocalScan, FoldersThatCannotBeRemovedAreSaid) {
  // An earlier scan left empty folders behind, so neither folder can be removed when empty
  // of files.
  tree.File("c/Program Files/WindowsUpdate/desktop.ini");
  tree.File("c/Program Files/WindowsUpdate/V4/notes.txt");
  tree.Folder("c/CVL_SAVE/V4/empty");
  tree.Folder("c/CVL_SAVE/leftover");

  EXPECT_EQ(ScanLocal(), Lines({"<t> - No corresponding Windows Update V4 log has been found.",
                                "<t> - No valid Windows Update V4 files found.",
                                "<t> - Could not remove directory: S:\\CVL_SAVE\\V4",
                                "<t> - No corresponding OfficeUpdate directory found.",
                                "<t> - Could not remove directory: S:\\CVL_SAVE", kNothingLine}));
  EXPECT_EQ(Saved(), "V4/\nV4/empty/\nleftover/\n");
}

}  // namespace
}  // namespace scantest
