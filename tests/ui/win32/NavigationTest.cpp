// The navigation and keyboard table (tests/support/NavigationTable.h) on the real windows,
// worked through window messages: which windows are open after each step, and that the program
// ends on Exit or when its last window is closed, never between one main window and the next;
// that a modal window disables the window under it until it goes; and each window's focus
// and keys when it opens. The dialog manager sends Enter and Esc as IDOK and IDCANCEL,
// whatever has the focus; Tab follows the table's order, which a control held by the header
// band keeps although the band comes earlier.
#include <string>
#include <vector>

#include "ProgramTest.h"
#include "support/NavigationTable.h"
#include "ui/FormNames.h"

namespace wintest {
namespace {

using namespace testsupport::navigation;

WPARAM VirtualKey(Key key) {
  return key == Key::Enter ? VK_RETURN : key == Key::Escape ? VK_ESCAPE : VK_TAB;
}

// Does what a user does, and waits until the program has handled it. A key goes to the
// window that has the focus, which must be the act's.
void Do(ProgramRun& program, const Act& act) {
  switch (act.kind) {
    case Act::Kind::Click:
      ASSERT_TRUE(program.Click(act.form, act.button)) << act;
      return;
    case Act::Kind::CloseBox:
      program.CloseBox(act.form);
      return;
    case Act::Kind::Key:
      ASSERT_EQ(program.Focused().substr(0, act.form.size()), act.form) << act;
      program.Key(VirtualKey(act.key));
      return;
  }
}

void Reach(ProgramRun& program, const std::vector<Act>& reach) {
  for (const Act& act : reach) ASSERT_NO_FATAL_FAILURE(Do(program, act));
}

class Navigation : public ProgramTest, public ::testing::WithParamInterface<Step> {};

TEST_P(Navigation, LeadsWhereTheTableSays) {
  const Step& step = GetParam();
  ProgramRun program;
  ASSERT_EQ(program.OpenForms(), Names{ui::kBeginForm});
  ASSERT_NO_FATAL_FAILURE(Reach(program, step.reach));
  if (step.act.kind == Act::Kind::Key) {
    EXPECT_EQ(program.Focused(), step.act.form + "." + step.focused) << "the focus before the key";
  }
  ASSERT_NO_FATAL_FAILURE(Do(program, step.act));
  if (step.open.empty()) {
    EXPECT_TRUE(program.WaitFor([&] { return program.Ended(); })) << "the program ends";
    return;
  }
  EXPECT_EQ(program.OpenForms(), step.open);
  EXPECT_FALSE(program.Ended());
  EXPECT_TRUE(IsWindowVisible(program.Form(step.open.front())));
  if (const HWND console = program.Control(ui::kLocalScanForm, ui::kScanConsole)) {
    EXPECT_EQ(!TextOf(console).empty(), step.scanned);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Navigation, ::testing::ValuesIn(Steps()),
                         [](const auto& info) { return info.param.name; });

class ModalWindows : public ProgramTest, public ::testing::WithParamInterface<ModalStep> {};

TEST_P(ModalWindows, DisableTheWindowUnderThemUntilTheyGo) {
  const ModalStep& step = GetParam();
  const std::string owner = step.opens.form;
  ProgramRun program;
  ASSERT_NO_FATAL_FAILURE(Reach(program, step.reach));
  ASSERT_NO_FATAL_FAILURE(Do(program, step.opens));
  const Names both = InFormOrder({owner, step.modal});
  ASSERT_EQ(program.OpenForms(), both);
  EXPECT_FALSE(IsWindowEnabled(program.Form(owner)));
  EXPECT_EQ(program.Focused(), step.modal + "." + KeysOf(step.modal).firstFocus);
  ASSERT_NO_FATAL_FAILURE(Do(program, step.refused));
  EXPECT_EQ(program.OpenForms(), both) << "the window under a modal one takes no clicks";
  ASSERT_NO_FATAL_FAILURE(Do(program, step.closes));
  EXPECT_EQ(program.OpenForms(), Names{owner});
  EXPECT_TRUE(IsWindowEnabled(program.Form(owner)));
  EXPECT_EQ(program.Focused().substr(0, owner.size()), owner) << "the focus is back";
  ASSERT_NO_FATAL_FAILURE(Do(program, step.refused));
  EXPECT_TRUE(program.WaitFor([&] { return !program.Form(owner); })) << "usable again";
}

INSTANTIATE_TEST_SUITE_P(Table, ModalWindows, ::testing::ValuesIn(ModalSteps()),
                         [](const auto& info) { return info.param.name; });

class KeysOnOpening : public ProgramTest, public ::testing::WithParamInterface<Keys> {};

TEST_P(KeysOnOpening, FocusEnterEscAndTabFollowTheRule) {
  const Keys& keys = GetParam();
  testsupport::PressLog presses;
  ProgramRun program(testsupport::StillForms(&presses), keys.form);
  ASSERT_NE(program.Form(keys.form), nullptr);
  EXPECT_EQ(program.Focused(), keys.form + "." + keys.firstFocus);

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

INSTANTIATE_TEST_SUITE_P(SixWindows, KeysOnOpening, ::testing::ValuesIn(KeyRows()),
                         [](const auto& info) { return info.param.form; });

}  // namespace
}  // namespace wintest
