// The navigation and keyboard table (tests/support/NavigationTable.h) on the test toolkit: the
// windows open after each step, the program's end, the transcript of the window life, a modal
// window keeping its owner from taking input, and each window's focus and keys when it opens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiWorld.h"
#include "scan/ScanOptions.h"
#include "support/NavigationTable.h"
#include "support/StillForms.h"
#include "ui/FormNames.h"

namespace uitest {
namespace {

using namespace testsupport::navigation;
using Transcript = std::vector<std::string>;

// Does what a user does; false when the toolkit refused it (or the key pressed nothing).
bool Do(TestToolkit& tk, const Act& act) {
  switch (act.kind) {
    case Act::Kind::Click:
      return tk.Click(act.form, act.button);
    case Act::Kind::CloseBox:
      return tk.CloseBox(act.form);
    case Act::Kind::Key:
      break;
  }
  if (act.key == Key::Tab) return tk.PressTab(act.form);
  return act.key == Key::Enter ? tk.PressEnter(act.form) : tk.PressEscape(act.form);
}

void Reach(TestToolkit& tk, const std::vector<Act>& reach) {
  for (const Act& act : reach) ASSERT_TRUE(Do(tk, act)) << act;
}

class Navigation : public UiWorld, public ::testing::WithParamInterface<Step> {};

TEST_P(Navigation, LeadsWhereTheTableSays) {
  const Step& step = GetParam();
  tk.Start();
  ASSERT_NO_FATAL_FAILURE(Reach(tk, step.reach));
  tk.ClearTranscript();
  if (step.act.kind == Act::Kind::Key) {
    EXPECT_EQ(tk.Focused(step.act.form), step.focused) << "the focus before the key";
  }
  const bool done = Do(tk, step.act);
  if (step.act.kind != Act::Kind::Key) {
    EXPECT_TRUE(done) << step.act;
  }
  EXPECT_EQ(tk.Transcript(), step.transcript);
  EXPECT_EQ(InFormOrder(tk.LoadedForms()), step.open);
  EXPECT_EQ(tk.Ended(), step.open.empty());
  if (!step.open.empty()) {
    EXPECT_TRUE(tk.Shown(step.open.front()));
  }
  if (tk.IsLoaded(ui::kLocalScanForm)) {
    EXPECT_EQ(!ConsoleLines().empty(), step.scanned);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Navigation, ::testing::ValuesIn(Steps()),
                         [](const auto& info) { return info.param.name; });

class ModalWindows : public UiWorld, public ::testing::WithParamInterface<ModalStep> {};

TEST_P(ModalWindows, KeepTheirOwnerFromTakingInputUntilTheyGo) {
  const ModalStep& step = GetParam();
  const std::string owner = step.opens.form;
  tk.Start();
  ASSERT_NO_FATAL_FAILURE(Reach(tk, step.reach));
  tk.ClearTranscript();
  Names whileOpen;
  std::string focus;
  bool refused = false;
  tk.WhenModal(step.modal, [&] {
    whileOpen = InFormOrder(tk.LoadedForms());
    focus = tk.Focused(step.modal);
    refused = !Do(tk, step.refused) && !tk.CloseBox(owner);
    EXPECT_TRUE(Do(tk, step.closes)) << step.closes;
  });
  EXPECT_TRUE(Do(tk, step.opens));
  EXPECT_EQ(tk.Transcript(), step.transcript);
  EXPECT_EQ(whileOpen, InFormOrder({owner, step.modal}));
  EXPECT_EQ(focus, KeysOf(step.modal).firstFocus);
  EXPECT_TRUE(refused) << "the window under a modal one takes no input";
  EXPECT_EQ(tk.LoadedForms(), Names{owner});
  EXPECT_TRUE(Do(tk, step.refused)) << "usable again once the modal window is gone";
  EXPECT_FALSE(tk.IsLoaded(owner));
}

INSTANTIATE_TEST_SUITE_P(Table, ModalWindows, ::testing::ValuesIn(ModalSteps()),
                         [](const auto& info) { return info.param.name; });

class KeysOnOpening : public UiWorld, public ::testing::WithParamInterface<Keys> {};

TEST_P(KeysOnOpening, FocusEnterEscAndTabFollowTheRule) {
  const Keys& keys = GetParam();
  testsupport::PressLog presses;
  TestToolkit still(testsupport::StillForms(&presses));
  still.Start(keys.form);
  EXPECT_EQ(still.Focused(keys.form), keys.firstFocus);
  still.PressEnter(keys.form);
  EXPECT_EQ(presses.Take(), keys.enter) << "Enter";
  still.PressEscape(keys.form);
  EXPECT_EQ(presses.Take(), keys.escape) << "Esc";
  Names visited;
  for (std::size_t i = 0; i < keys.tabs.size(); ++i) {
    EXPECT_TRUE(still.PressTab(keys.form));
    visited.push_back(still.Focused(keys.form));
  }
  EXPECT_EQ(visited, keys.tabs);
  EXPECT_EQ(presses.Take(), Names{}) << "Tab presses nothing";
}

INSTANTIATE_TEST_SUITE_P(SixWindows, KeysOnOpening, ::testing::ValuesIn(KeyRows()),
                         [](const auto& info) { return info.param.form; });

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

}  // namespace
}  // namespace uitest
