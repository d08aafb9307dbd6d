// Window-to-window navigation: every row of the program's navigation table, as a transcript
// of loads, showings and unloads.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "UiWorld.h"
#include "scan/ScanOptions.h"
#include "ui/FormNames.h"

namespace uitest {
namespace {

using Transcript = std::vector<std::string>;
using Press = std::pair<std::string, std::string>;  // window, button ("" for the close box)

constexpr const char* kCloseBox = "";

struct Row {
  std::vector<Press> reach;  // from start-up to the row's window
  Press action;
  Transcript expected;
  std::vector<std::string> open;  // windows loaded afterwards
};

class Navigation : public UiWorld {};

TEST_F(Navigation, EveryRowOfTheTableLeadsWhereItShould) {
  const std::string begin = ui::kBeginForm, local = ui::kLocalScanForm, other = ui::kOtherForm;
  const Transcript about = {"load ABOUT_FRM", "modal ABOUT_FRM", "close ABOUT_FRM",
                            "unload ABOUT_FRM"};
  const std::vector<Row> rows = {
      {{}, {begin, "Command2"}, {"unload " + begin, "load " + local, "show " + local}, {local}},
      {{}, {begin, "Command3"}, {"unload " + begin, "load " + other, "show " + other}, {other}},
      {{}, {begin, "Command4"}, {"end"}, {}},
      {{}, {begin, "Command1"}, about, {begin}},
      {{}, {begin, kCloseBox}, {"close " + begin, "unload " + begin, "end"}, {}},
      {{{begin, "Command2"}},
       {local, "Command4"},
       {"load " + begin, "show " + begin, "unload " + local},
       {begin}},
      {{{begin, "Command2"}},
       {local, "ScanButton"},
       {"load CHECK_FRM", "modal CHECK_FRM", "unload CHECK_FRM"},
       {local}},
      {{{begin, "Command2"}},
       {local, "Command3"},
       {"load SCAN_OPTIONS", "modal SCAN_OPTIONS", "close SCAN_OPTIONS", "unload SCAN_OPTIONS"},
       {local}},
      {{{begin, "Command2"}}, {local, "Command1"}, about, {local}},
      {{{begin, "Command2"}}, {local, kCloseBox}, {"close " + local, "unload " + local, "end"}, {}},
      {{{begin, "Command3"}},
       {other, "Command3"},
       {"unload " + other, "load " + begin, "show " + begin},
       {begin}},
      {{{begin, "Command3"}}, {other, "Command4"}, about, {other}},
      {{{begin, "Command3"}}, {other, kCloseBox}, {"close " + other, "unload " + other, "end"}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.action.first + " / " +
                 (row.action.second.empty() ? "close box" : row.action.second));
    TestToolkit toolkit;
    toolkit.Start();
    for (const auto& [form, button] : row.reach) ASSERT_TRUE(toolkit.Click(form, button));
    toolkit.ClearTranscript();
    if (row.action.second.empty())
      EXPECT_TRUE(toolkit.CloseBox(row.action.first));
    else
      EXPECT_TRUE(toolkit.Click(row.action.first, row.action.second));
    EXPECT_EQ(toolkit.Transcript(), row.expected);
    EXPECT_EQ(toolkit.LoadedForms(), row.open);
    EXPECT_EQ(toolkit.Ended(), row.open.empty());
  }
}

TEST_F(Navigation, StartUpShowsTheHomeWindowWithFreshFlags) {
  ScanOptions::ScanV3Inventories = ScanOptions::ScanV4Inventories = false;
  ScanOptions::ScanOUInventories = false;
  tk.Start();
  EXPECT_EQ(tk.Transcript(), (Transcript{"load BEGIN_FRM", "show BEGIN_FRM"}));
  EXPECT_TRUE(ScanOptions::ScanV3Inventories && ScanOptions::ScanV4Inventories &&
              ScanOptions::ScanOUInventories);
  EXPECT_EQ(tk.Find(ui::kBeginForm, "WelcomeText")->Text(),
            "Welcome to the Corvalen Quillfen!\r\nThis program will help you check if you have "
            "valid Windows Update inventories on your computer(s). To begin, click one the "
            "buttons below:");
}

TEST_F(Navigation, EnterOnTheHomeWindowScansThisComputer) {
  tk.Start();
  EXPECT_EQ(tk.Focused(ui::kBeginForm), "Picture1");
  EXPECT_TRUE(tk.PressEnter(ui::kBeginForm));
  EXPECT_EQ(tk.LoadedForms(), std::vector<std::string>{ui::kLocalScanForm});
  EXPECT_FALSE(tk.PressEscape(ui::kLocalScanForm)) << "no button of that window answers Esc";
  // The local scan window opens on its banner: a second Enter starts no scan.
  tk.ClearTranscript();
  EXPECT_FALSE(tk.PressEnter(ui::kLocalScanForm));
  EXPECT_EQ(tk.Transcript(), Transcript{});
  EXPECT_FALSE(tree.Exists("c/CVL_SAVE"));
}

TEST_F(Navigation, AModalWindowKeepsItsCallerFromTakingInput) {
  tk.Start();
  bool refused = false;
  tk.WhenModal(ui::kAboutForm, [&] {
    refused = !tk.Click(ui::kBeginForm, "Command2") && !tk.CloseBox(ui::kBeginForm);
    tk.Click(ui::kAboutForm, "cmdOK");
  });
  tk.Click(ui::kBeginForm, "Command1");
  EXPECT_TRUE(refused);
  EXPECT_EQ(tk.LoadedForms(), std::vector<std::string>{ui::kBeginForm});
  EXPECT_TRUE(tk.Click(ui::kBeginForm, "Command2")) << "usable again once the about window is gone";
}

}  // namespace
}  // namespace uitest
