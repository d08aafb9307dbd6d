// The other drives window: the drive selection on every load, the refusal without a drive,
// and the folder and drive scans it starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiWorld.h"
#include "ui/FormNames.h"

namespace uitest {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kFolderPrompt =
    "Pick a folder to scan for Windows Update and Office Update files.";

class OtherWindow : public UiWorld {
 protected:
  void Open() {
    tk.Start();
    ASSERT_TRUE(tk.Click(ui::kBeginForm, "Command3"));
  }
  ui::Control& Drives() { return tk.Get(ui::kOtherForm, "DriveList"); }
};

TEST_F(OtherWindow, EveryLoadLeavesADriveSelected) {
  // The selection the platform makes before the load step, and what the load leaves.
  const std::vector<std::pair<int, int>> cases = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}};
  for (const auto& [platform, expected] : cases) {
    SCOPED_TRACE(platform);
    TestToolkit toolkit;
    toolkit.SetDrives({"a:", "s: [/]", "t: [/media/old]"}, platform);
    toolkit.Start();
    toolkit.Click(ui::kBeginForm, "Command3");
    EXPECT_EQ(toolkit.Find(ui::kOtherForm, "DriveList")->ListIndex(), expected);
  }
}

TEST_F(OtherWindow, ReopeningForgetsTheUsersChoiceOfDrive) {
  tk.SetDrives({"s: [/]", "t: [/media/old]", "e: [/media/usb]"}, -1);
  Open();
  Drives().SetListIndex(2);
  tk.Click(ui::kOtherForm, "Command3");
  tk.Click(ui::kBeginForm, "Command3");
  EXPECT_EQ(Drives().ListIndex(), 0);
}

TEST_F(OtherWindow, ScanningWithoutADriveIsRefused) {
  tk.SetDrives({}, -1);
  Open();
  tk.Click(ui::kOtherForm, "Command2");
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.calls, Lines{"box: You must select a drive first."});
  EXPECT_EQ(dialogs.boxes[0].title, "Quillfen");
  EXPECT_EQ(dialogs.boxes[0].icon, UserDialogs::Icon::Critical);
  EXPECT_EQ(dialogs.boxes[0].buttons, UserDialogs::Buttons::Ok);
  EXPECT_TRUE(tk.IsLoaded(ui::kOtherForm));
}

TEST_F(OtherWindow, CancellingTheFolderPickerDoesNothing) {
  Open();
  tk.Click(ui::kOtherForm, "Command1");
  EXPECT_EQ(dialogs.calls, Lines{std::string("pick: ") + kFolderPrompt});
  EXPECT_EQ(tree.Listing("c") + tree.Listing("d"), "WINDOWS/\n");
}

TEST_F(OtherWindow, APickedFolderIsScannedAndSavedWhereTheUserSays) {
  Put("d/old/a.w98", 2004);
  Put("d/old/iuhist.xml", 2004);
  Put("d/old/b.w98", 2022);  // too new
  dialogs.picks[UserDialogs::Question::FolderToScan] = {"T:\\old"};
  dialogs.SaveInto({"S:\\"});
  Open();
  tk.Click(ui::kOtherForm, "Command1");
  ASSERT_FALSE(dialogs.pickerPrompts.empty());
  EXPECT_EQ(dialogs.pickerPrompts.front(), kFolderPrompt);
  EXPECT_TRUE(tree.Exists("c/CVL_SAVE/a.w98"));
  EXPECT_TRUE(tree.Exists("c/CVL_SAVE/V4/iuhist.xml"));
  EXPECT_FALSE(tree.Exists("c/CVL_SAVE/b.w98"));
  EXPECT_EQ(dialogs.opened, Lines{"S:\\CVL_SAVE"});
  EXPECT_EQ(tk.LoadedForms(), Lines{ui::kOtherForm});
}

TEST_F(OtherWindow, TheSelectedDriveIsScannedByItsLetter) {
  Put("d/Program Files/WindowsUpdate/b.gng", 2003);
  Put("d/WINDOWS/Windows Update.log", 2004);
  tk.SetDrives({"s: [" + tree.Path("c") + "]", "t: [" + tree.Path("d") + "]"}, 1);
  dialogs.SaveInto({"S:\\"});
  Open();
  tk.Click(ui::kOtherForm, "Command2");
  EXPECT_TRUE(tree.Exists("c/CVL_SAVE/b.gng"));
  EXPECT_TRUE(tree.Exists("c/CVL_SAVE/V4/Windows Update.log"));
  EXPECT_EQ(dialogs.opened, Lines{"S:\\CVL_SAVE"});
}

}  // namespace
}  // namespace uitest
