// The navigation table on the real windows: which windows are open after each action, that a
// modal window disables the window under it until it goes, and that the program ends on Exit
// or when its last window is closed, never between one main window and the next.
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ProgramTest.h"
#include "ui/FormNames.h"

namespace wintest {
namespace {

using Names = std::vector<std::string>;
using Press = std::pair<std::string, std::string>;  // window, button ("" for the close box)

struct Row {
  std::string name;
  std::vector<Press> reach;  // from start-up to the row's window
  Press action;
  Names open;  // the windows open afterwards; none when the program has ended
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class Navigation : public ProgramTest, public ::testing::WithParamInterface<Row> {};

void Do(ProgramRun& program, const Press& press) {
  if (press.second.empty())
    program.CloseBox(press.first);
  else
    ASSERT_TRUE(program.Click(press.first, press.second)) << press.first << "." << press.second;
}

TEST_P(Navigation, LeadsWhereTheTableSays) {
  const Row& row = GetParam();
  ProgramRun program;
  ASSERT_EQ(program.OpenForms(), Names{ui::kBeginForm});
  for (const Press& press : row.reach) Do(program, press);
  Do(program, row.action);
  if (row.open.empty()) {
    EXPECT_TRUE(program.WaitFor([&] { return program.Ended(); })) << "the program ends";
  } else {
    EXPECT_EQ(program.OpenForms(), row.open);
    EXPECT_FALSE(program.Ended());
    EXPECT_TRUE(IsWindowVisible(program.Form(row.open.front())));
  }
}

const char* kBegin = ui::kBeginForm;
const char* kLocal = ui::kLocalScanForm;
const char* kOther = ui::kOtherForm;

INSTANTIATE_TEST_SUITE_P(
    Table, Navigation,
    ::testing::Values(
        Row{"HomeScanThisComputer", {}, {kBegin, "Command2"}, {kLocal}},
        Row{"HomeScanOther", {}, {kBegin, "Command3"}, {kOther}},
        Row{"HomeExit", {}, {kBegin, "Command4"}, {}},
        Row{"HomeCloseBox", {}, {kBegin, ""}, {}},
        Row{"LocalMenu", {{kBegin, "Command2"}}, {kLocal, "Command4"}, {kBegin}},
        Row{"LocalCloseBox", {{kBegin, "Command2"}}, {kLocal, ""}, {}},
        Row{"OtherHomeMenu", {{kBegin, "Command3"}}, {kOther, "Command3"}, {kBegin}},
        Row{"OtherCloseBox", {{kBegin, "Command3"}}, {kOther, ""}, {}},
        // The progress window runs the scan (here one that stops at once) and unloads itself.
        Row{"LocalScanMyComputer", {{kBegin, "Command2"}}, {kLocal, "ScanButton"}, {kLocal}}),
    [](const auto& info) { return info.param.name; });

struct Modal {
  std::string name;
  std::vector<Press> reach;
  Press opens;
  std::string modal;
  Press closes;
};

void PrintTo(const Modal& row, std::ostream* out) { *out << row.name; }

class ModalWindows : public ProgramTest, public ::testing::WithParamInterface<Modal> {};

TEST_P(ModalWindows, DisableTheWindowUnderThemUntilTheyGo) {
  const Modal& row = GetParam();
  ProgramRun program;
  for (const Press& press : row.reach) Do(program, press);
  const std::string owner = row.opens.first;
  Do(program, row.opens);
  const Names both = {owner, row.modal};  // in the order of ui::kAllForms
  ASSERT_EQ(program.OpenForms(), both);
  EXPECT_FALSE(IsWindowEnabled(program.Form(owner)));
  EXPECT_EQ(program.Focused().substr(0, row.modal.size()), row.modal);
  // Exit, Menu or "?": none of them may act while the modal window is open.
  program.Click(owner, "Command4");
  EXPECT_EQ(program.OpenForms(), both) << "the window under a modal one takes no clicks";
  Do(program, row.closes);
  EXPECT_EQ(program.OpenForms(), Names{owner});
  EXPECT_TRUE(IsWindowEnabled(program.Form(owner)));
  EXPECT_EQ(program.Focused().substr(0, owner.size()), owner) << "the focus is back";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModalWindows,
    ::testing::Values(
        Modal{"AboutFromHome", {}, {kBegin, "Command1"}, ui::kAboutForm, {ui::kAboutForm, "cmdOK"}},
        Modal{"AboutFromLocal", {{kBegin, "Command2"}}, {kLocal, "Command1"}, ui::kAboutForm,
              {ui::kAboutForm, ""}},
        Modal{"AboutFromOther", {{kBegin, "Command3"}}, {kOther, "Command4"}, ui::kAboutForm,
              {ui::kAboutForm, "cmdOK"}},
        Modal{"ScanOptions", {{kBegin, "Command2"}}, {kLocal, "Command3"}, ui::kScanOptionsForm,
              {ui::kScanOptionsForm, "Command2"}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace wintest
