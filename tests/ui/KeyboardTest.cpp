// The keyboard rule on tables of the test's own, and the home window's tab order. Each window
// of the program as it opens is in the navigation table (NavigationTest.cpp).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/FormNames.h"
#include "ui/Keyboard.h"

namespace {

using ui::ControlKind;
using ui::ControlRow;
using ui::FormTable;

ControlRow Control(const std::string& name, ControlKind kind, int tab, unsigned flags = 0) {
  ControlRow row;
  row.name = name;
  row.kind = kind;
  row.tabIndex = tab;
  row.flags = flags;
  return row;
}

bool Shown(const ControlRow& row) { return (row.flags & ui::kHidden) == 0; }

TEST(Keyboard, TabGoesThroughPictureBoxesButtonsAndBoxesInTabOrder) {
  std::unique_ptr<ui::Form> home = ui::MakeForm(ui::kBeginForm);
  std::vector<std::string> order;
  for (const ControlRow* control : ui::Keyboard::TabOrder(home->Table()))
    order.push_back(control->name);
  // Banner, band, "?", then the option buttons and "Exit"; labels have no stop.
  EXPECT_EQ(order, (std::vector<std::string>{"Picture1", "Picture2", "Command1", "Command2",
                                             "Command3", "Command4"}));

  FormTable table;
  table.controls = {Control("Note", ControlKind::Label, 0), Control("Box", ControlKind::Frame, 1),
                    Control("Bar", ControlKind::ProgressBar, 2),
                    Control("Drives", ControlKind::DriveList, 6),
                    Control("Log", ControlKind::TextBox, 5), Control("Tick", ControlKind::CheckBox, 5)};
  order.clear();
  for (const ControlRow* control : ui::Keyboard::TabOrder(table)) order.push_back(control->name);
  EXPECT_EQ(order, (std::vector<std::string>{"Log", "Tick", "Drives"}));
}

TEST(Keyboard, FocusedButtonTakesEnterElseTheDefaultButton) {
  FormTable table;
  table.controls = {Control("Hidden", ControlKind::CommandButton, 0, ui::kHidden),
                    Control("Tick", ControlKind::CheckBox, 1),
                    Control("Go", ControlKind::CommandButton, 2, ui::kDefault),
                    Control("Stop", ControlKind::CommandButton, 3, ui::kCancel)};
  EXPECT_EQ(ui::Keyboard::FirstFocus(table, Shown), "Tick");
  EXPECT_EQ(ui::Keyboard::FirstFocus(table, [](const ControlRow&) { return false; }), "");
  EXPECT_EQ(ui::Keyboard::EnterPresses(table, "Tick"), "Go");
  EXPECT_EQ(ui::Keyboard::EnterPresses(table, "Stop"), "Stop");
  EXPECT_EQ(ui::Keyboard::EnterPresses(table, ""), "Go");
  EXPECT_EQ(ui::Keyboard::EscPresses(table), "Stop");
  table.controls[2].flags = 0;
  table.controls[3].flags = 0;
  EXPECT_EQ(ui::Keyboard::EnterPresses(table, "Tick"), "");
  EXPECT_EQ(ui::Keyboard::EscPresses(table), "");
}

TEST(Keyboard, TabGoesRoundTheAvailableControlsBothWays) {
  FormTable table;
  table.controls = {Control("A", ControlKind::CommandButton, 0),
                    Control("Hidden", ControlKind::CommandButton, 1, ui::kHidden),
                    Control("Note", ControlKind::Label, 2), Control("B", ControlKind::CheckBox, 3)};
  EXPECT_EQ(ui::Keyboard::NextFocus(table, "A", true, Shown), "B");
  EXPECT_EQ(ui::Keyboard::NextFocus(table, "B", true, Shown), "A");
  EXPECT_EQ(ui::Keyboard::NextFocus(table, "A", false, Shown), "B");
  EXPECT_EQ(ui::Keyboard::NextFocus(table, "B", false, Shown), "A");
  // From no control: the first, or the last.
  EXPECT_EQ(ui::Keyboard::NextFocus(table, "", true, Shown), "A");
  EXPECT_EQ(ui::Keyboard::NextFocus(table, "", false, Shown), "B");
  const auto onlyA = [](const ControlRow& row) { return row.name == "A"; };
  EXPECT_EQ(ui::Keyboard::NextFocus(table, "A", true, onlyA), "A");
  EXPECT_EQ(ui::Keyboard::NextFocus(table, "A", true, [](const ControlRow&) { return false; }), "");
}

}  // namespace
