// The keyboard rule: where the focus lands when each window opens, what Enter and Esc press
// then, and the rule itself on tables of the test's own.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
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

TEST(Keyboard, EachWindowOpensWithItsFocusAndKeys) {
  // The control with the first focus, the button Enter presses then, the one Esc presses.
  const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
      // The banner has tab 0; Enter goes to the default button, "Scan this computer".
      {ui::kBeginForm, {"Picture1", "Command2", ""}},
      // The banner again, and no default button: Enter starts nothing.
      {ui::kLocalScanForm, {"Picture1", "", ""}},
      // The progress bar takes no focus; Cancel is the cancel button.
      {ui::kCheckForm, {"Command1", "Command1", "Command1"}},
      {ui::kScanOptionsForm, {"CheckV3Inventories", "", ""}},
      // The two labels before it take no focus; a focused button takes Enter.
      {ui::kOtherForm, {"Command1", "Command1", ""}},
      {ui::kAboutForm, {"cmdOK", "cmdOK", "cmdOK"}},
  };
  for (const auto& [name, keys] : expected) {
    const std::unique_ptr<ui::Form> form = ui::MakeForm(name);
    const FormTable& table = form->Table();
    const std::string focus = ui::Keyboard::FirstFocus(table, Shown);
    EXPECT_EQ((std::vector<std::string>{focus, ui::Keyboard::EnterPresses(table, focus),
                                        ui::Keyboard::EscPresses(table)}),
              keys)
        << name;
  }
}

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

}  // namespace
