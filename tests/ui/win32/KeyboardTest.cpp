// The keyboard on the real windows: where the focus is when a window opens, what Enter and Esc
// press (the dialog manager sends them as IDOK and IDCANCEL, whatever has the focus), and the
// Tab order, which a control held by the header band keeps although the band comes earlier.
#include <ostream>
#include <string>
#include <vector>

#include "ProgramTest.h"
#include "ui/FormNames.h"

namespace wintest {
namespace {

using Names = std::vector<std::string>;

struct Keys {
  const char* form;
  std::string firstFocus;
  Names enter;  // what Enter presses right after opening
  Names escape;
  Names tabs;   // the focus after each Tab from the first, round to the first again
};

void PrintTo(const Keys& keys, std::ostream* out) { *out << keys.form; }

class Keyboard : public ProgramTest, public ::testing::WithParamInterface<Keys> {};

TEST_P(Keyboard, FocusEnterEscAndTabFollowTheRule) {
  const Keys& keys = GetParam();
  const std::string form = keys.form;
  PressLog presses;
  ProgramRun program(StillForms(presses), form);
  ASSERT_NE(program.Form(form), nullptr);
  EXPECT_EQ(program.Focused(), form + "." + keys.firstFocus);

  program.Key(VK_RETURN);
  EXPECT_EQ(presses.Take(), keys.enter) << "Enter";
  program.Key(VK_ESCAPE);
  EXPECT_EQ(presses.Take(), keys.escape) << "Esc";

  Names visited;
  for (std::size_t i = 0; i < keys.tabs.size(); ++i) {
    program.Key(VK_TAB);
    const std::string focused = program.Focused();
    visited.push_back(focused.substr(focused.find('.') + 1));
  }
  EXPECT_EQ(visited, keys.tabs);
  EXPECT_EQ(presses.Take(), Names{}) << "Tab presses nothing";
}

INSTANTIATE_TEST_SUITE_P(
    SixWindows, Keyboard,
    ::testing::Values(
        Keys{ui::kBeginForm, "Picture1", {"Command2"}, {},
             {"Picture2", "Command1", "Command2", "Command3", "Command4", "Picture1"}},
        // No default button and a hidden "Open saved directory": Enter starts no scan, and the
        // "?" in the band comes after the console.
        Keys{ui::kLocalScanForm, "Picture1", {}, {},
             {"Picture2", "ScanButton", "ScanConsole", "Command1", "Command2", "Command3", "Command4",
              "Picture1"}},
        Keys{ui::kCheckForm, "Command1", {"Command1"}, {"Command1"}, {"Command1"}},
        Keys{ui::kScanOptionsForm, "CheckV3Inventories", {}, {},
             {"CheckV4Inventories", "CheckOUInventories", "Command1", "Command2", "CheckV3Inventories"}},
        // The focused button is what Enter presses; the drive list lies inside the frame.
        Keys{ui::kOtherForm, "Command1", {"Command1"}, {},
             {"Command3", "Command2", "DriveList", "Picture1", "Picture2", "Command4", "Command1"}},
        Keys{ui::kAboutForm, "cmdOK", {"cmdOK"}, {"cmdOK"}, {"picIcon", "cmdOK"}}),
    [](const auto& info) { return std::string(info.param.form); });

// Enter on an ordinary button that has the focus presses that button, not the default one.
TEST_F(ProgramTest, EnterPressesTheFocusedButtonNotTheDefault) {
  ProgramRun program;
  for (int i = 0; i < 5; ++i) program.Key(VK_TAB);
  ASSERT_EQ(program.Focused(), "BEGIN_FRM.Command4");
  program.Key(VK_RETURN);
  EXPECT_TRUE(program.WaitFor([&] { return program.Ended(); })) << "Exit ends the program";
}

TEST_F(ProgramTest, EnterOnTheHomeWindowOpensTheLocalScanWhichItStartsNothingIn) {
  ProgramRun program;
  program.Key(VK_RETURN);
  ASSERT_EQ(program.OpenForms(), Names{ui::kLocalScanForm});
  EXPECT_EQ(program.Focused(), "LOCALSCAN_FRM.Picture1");
  program.Key(VK_RETURN);
  program.Key(VK_ESCAPE);
  EXPECT_EQ(program.OpenForms(), Names{ui::kLocalScanForm});
  // Nor do they in the console, which a multi-line edit control would take for itself (and
  // close the window on Esc).
  for (int i = 0; i < 3; ++i) program.Key(VK_TAB);
  ASSERT_EQ(program.Focused(), "LOCALSCAN_FRM.ScanConsole");
  program.Key(VK_RETURN);
  program.Key(VK_ESCAPE);
  EXPECT_EQ(program.OpenForms(), Names{ui::kLocalScanForm});
  EXPECT_EQ(TextOf(program.Control(ui::kLocalScanForm, ui::kScanConsole)), "") << "no scan ran";
}

}  // namespace
}  // namespace wintest
