// The options dialog's refusal and the about window's version line, on the real windows.
#include <string>
#include <vector>

#include "ProgramTest.h"
#include "scan/ScanOptions.h"
#include "ui/FormNames.h"

namespace wintest {
namespace {

using Names = std::vector<std::string>;

TEST_F(ProgramTest, TheOptionsDialogRefusesNothingChosenAndStaysOpen) {
  ProgramRun program;
  ASSERT_TRUE(program.Click(ui::kBeginForm, "Command2"));
  ASSERT_TRUE(program.Click(ui::kLocalScanForm, "Command3"));
  const Names boxes = {"CheckV3Inventories", "CheckV4Inventories", "CheckOUInventories"};
  for (const std::string& box : boxes) {
    ASSERT_EQ(SendMessageA(program.Control(ui::kScanOptionsForm, box), BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(program.Click(ui::kScanOptionsForm, box));  // clears it
  }
  ASSERT_TRUE(program.Click(ui::kScanOptionsForm, "Command1"));
  EXPECT_EQ(seen.Calls(), Names{"box: You must select at least one option to start a scan."});
  EXPECT_EQ(seen.Boxes().at(0).icon, UserDialogs::Icon::Critical);
  EXPECT_EQ(program.OpenForms(), (Names{ui::kLocalScanForm, ui::kScanOptionsForm}));
  EXPECT_TRUE(ScanOptions::ScanV3Inventories && ScanOptions::ScanV4Inventories &&
              ScanOptions::ScanOUInventories);

  // One box ticked again is accepted.
  ASSERT_TRUE(program.Click(ui::kScanOptionsForm, "CheckV4Inventories"));
  ASSERT_TRUE(program.Click(ui::kScanOptionsForm, "Command1"));
  EXPECT_EQ(program.OpenForms(), Names{ui::kLocalScanForm});
  EXPECT_FALSE(ScanOptions::ScanV3Inventories);
  EXPECT_TRUE(ScanOptions::ScanV4Inventories);
  EXPECT_FALSE(ScanOptions::ScanOUInventories);
}

TEST_F(ProgramTest, TheAboutWindowShowsTheVersionAndClosesOnEsc) {
  ProgramRun program;
  ASSERT_TRUE(program.Click(ui::kBeginForm, "Command1"));
  EXPECT_EQ(TextOf(program.Control(ui::kAboutForm, "lblVersion")), "Version 1.0.5");
  program.Key(VK_ESCAPE);
  EXPECT_EQ(program.OpenForms(), Names{ui::kBeginForm});
}

}  // namespace
}  // namespace wintest
