// The scan options dialog: what it shows, what "OK" stores, what it refuses, and what
// Cancel, the close box and a trip home do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiWorld.h"
#include "scan/ScanOptions.h"
#include "ui/FormNames.h"

namespace uitest {
namespace {

class ScanOptionsDialog : public UiWorld {
 protected:
  // The boxes as "V3 V4 OU" digits, and setting them so.
  std::string Boxes() {
    std::string states;
    for (const char* box : kBoxes)
      states += std::to_string(tk.Get(ui::kScanOptionsForm, box).Checked());
    return states;
  }
  void SetBoxes(const std::string& states) {
    for (int i = 0; i < 3; ++i) tk.Get(ui::kScanOptionsForm, kBoxes[i]).SetChecked(states[i] - '0');
  }
  static std::string Flags() {
    return std::string(ScanOptions::ScanV3Inventories ? "1" : "0") +
           (ScanOptions::ScanV4Inventories ? "1" : "0") +
           (ScanOptions::ScanOUInventories ? "1" : "0");
  }
  // Opens the dialog from the local scan window; `user` acts in it while it is open.
  void OpenOptions(std::function<void()> user) {
    tk.WhenModal(ui::kScanOptionsForm, std::move(user));
    tk.Click(ui::kLocalScanForm, "Command3");
    EXPECT_FALSE(tk.IsLoaded(ui::kScanOptionsForm));
  }

  static constexpr const char* kBoxes[3] = {"CheckV3Inventories", "CheckV4Inventories",
                                            "CheckOUInventories"};
};

TEST_F(ScanOptionsDialog, AllClearedIsRefusedAndTheDialogStaysOpen) {
  OpenLocalScan();
  OpenOptions([&] {
    EXPECT_EQ(Boxes(), "111");
    SetBoxes("000");
    tk.Click(ui::kScanOptionsForm, "Command1");
    EXPECT_TRUE(tk.IsLoaded(ui::kScanOptionsForm));
    EXPECT_EQ(Flags(), "111");
    tk.Click(ui::kScanOptionsForm, "Command2");
  });
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "You must select at least one option to start a scan.");
  EXPECT_EQ(dialogs.boxes[0].title, "Quillfen");
  EXPECT_EQ(dialogs.boxes[0].icon, UserDialogs::Icon::Critical);
  EXPECT_EQ(dialogs.boxes[0].buttons, UserDialogs::Buttons::Ok);
  EXPECT_EQ(Flags(), "111");
}

TEST_F(ScanOptionsDialog, TwoClearedLeaveOneFlagUntilTheNextTripHome) {
  OpenLocalScan();
  OpenOptions([&] {
    SetBoxes("010");
    tk.Click(ui::kScanOptionsForm, "Command1");
  });
  EXPECT_EQ(Flags(), "010");
  OpenOptions([&] { EXPECT_EQ(Boxes(), "010"); });

  tk.Click(ui::kLocalScanForm, "Command4");
  tk.Click(ui::kBeginForm, "Command2");
  EXPECT_EQ(Flags(), "111");
  OpenOptions([&] { EXPECT_EQ(Boxes(), "111"); });
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ScanOptionsDialog, CancelAndTheCloseBoxChangeNothing) {
  OpenLocalScan();
  OpenOptions([&] {
    SetBoxes("101");
    tk.Click(ui::kScanOptionsForm, "Command1");
  });
  OpenOptions([&] {
    SetBoxes("010");
    tk.Click(ui::kScanOptionsForm, "Command2");
  });
  EXPECT_EQ(Flags(), "101");
  OpenOptions([&] {
    SetBoxes("011");
    EXPECT_TRUE(tk.CloseBox(ui::kScanOptionsForm));
  });
  EXPECT_EQ(Flags(), "101");
}

}  // namespace
}  // namespace uitest
