// The window tables: faults a drawing toolkit would trip over, and the roles and looks the
// windows must share.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "ui/Form.h"
#include "ui/FormNames.h"

namespace {

using ui::ControlKind;
using ui::ControlRow;
using ui::FormTable;

const FormTable& TableOf(const std::string& name) {
  static std::map<std::string, std::unique_ptr<ui::Form>> forms;
  auto& form = forms[name];
  if (!form) form = ui::MakeForm(name);
  return form->Table();
}

// The white band of the main windows bleeds past the window's top and right edges by
// design; everything else lies inside what holds it.
bool IsHeaderBand(const FormTable& table, const ControlRow& control) {
  return control.name == "Picture2" && !table.modal;
}

TEST(FormTables, EveryWindowIsKnownByItsOwnName) {
  for (const char* name : ui::kAllForms) {
    std::unique_ptr<ui::Form> form = ui::MakeForm(name);
    ASSERT_NE(form, nullptr) << name;
    EXPECT_EQ(form->Table().name, name);
  }
  EXPECT_EQ(ui::MakeForm("NO_SUCH_FRM"), nullptr);
  EXPECT_EQ(ui::MakeForm(ui::kStartForm)->Table().name, ui::kBeginForm);
}

TEST(FormTables, ControlsHaveUniqueNamesTabsAndRealContainers) {
  for (const char* name : ui::kAllForms) {
    SCOPED_TRACE(name);
    const FormTable& table = TableOf(name);
    std::set<std::string> names;
    std::set<int> tabs;
    for (const ControlRow& control : table.controls) {
      EXPECT_TRUE(names.insert(control.name).second) << "two controls named " << control.name;
      EXPECT_TRUE(tabs.insert(control.tabIndex).second) << "tab index reused by " << control.name;
      EXPECT_EQ(table.Find(control.name), &control);
      if (control.container.empty()) continue;
      // A container is a band or a frame listed before what it holds, so it is drawn first.
      EXPECT_TRUE(names.count(control.container)) << control.name << " in " << control.container;
      const ControlRow* holder = table.Find(control.container);
      ASSERT_NE(holder, nullptr);
      EXPECT_TRUE(holder->kind == ControlKind::PictureBox || holder->kind == ControlKind::Frame);
    }
    EXPECT_EQ(table.Find("NoSuchControl"), nullptr);
  }
}

TEST(FormTables, ControlsFitInsideWhatHoldsThem) {
  for (const char* name : ui::kAllForms) {
    SCOPED_TRACE(name);
    const FormTable& table = TableOf(name);
    for (const ControlRow& control : table.controls) {
      if (IsHeaderBand(table, control)) continue;
      int width = table.clientWidth, height = table.clientHeight, top = 0;
      if (const ControlRow* holder = table.Find(control.container)) {
        width = holder->rect.width;
        height = holder->rect.height;
        // Inside a band that sits above the window, only the visible part counts.
        if (IsHeaderBand(table, *holder)) top = -holder->rect.top;
      }
      const ui::Rect& r = control.rect;
      EXPECT_GE(r.left, 0) << control.name;
      EXPECT_GE(r.top, top) << control.name;
      EXPECT_GT(r.width, 0) << control.name;
      EXPECT_GT(r.height, 0) << control.name;
      EXPECT_LE(r.left + r.width, width) << control.name;
      EXPECT_LE(r.top + r.height, height) << control.name;
    }
    for (const ui::LineRow& line : table.lines) {
      EXPECT_LE(std::max(line.x1, line.x2), table.clientWidth);
      EXPECT_LE(std::max(line.y1, line.y2), table.clientHeight);
    }
  }
}

TEST(FormTables, KeyRolesAndPointersAreWhereTheWindowsNeedThem) {
  // Enter and Esc press exactly these buttons.
  const std::map<std::string, std::string> defaults = {{ui::kBeginForm, "Command2"},
                                                       {ui::kAboutForm, "cmdOK"}};
  const std::map<std::string, std::string> cancels = {{ui::kCheckForm, "Command1"},
                                                      {ui::kAboutForm, "cmdOK"}};
  for (const char* name : ui::kAllForms) {
    SCOPED_TRACE(name);
    std::string foundDefault, foundCancel;
    for (const ControlRow& control : TableOf(name).controls) {
      if (control.flags & ui::kDefault) foundDefault += control.name;
      if (control.flags & ui::kCancel) foundCancel += control.name;
      if (control.kind != ControlKind::CommandButton) {
        EXPECT_FALSE(control.flags & (ui::kDefault | ui::kCancel | ui::kHandCursor))
            << control.name;
        continue;
      }
      const bool aboutOk = name == std::string(ui::kAboutForm) && control.name == "cmdOK";
      EXPECT_EQ((control.flags & ui::kHandCursor) != 0, !aboutOk) << control.name;
    }
    EXPECT_EQ(foundDefault, defaults.count(name) ? defaults.at(name) : "");
    EXPECT_EQ(foundCancel, cancels.count(name) ? cancels.at(name) : "");
  }
}

TEST(FormTables, MainWindowsShareOneHeaderRaisedOnlyOnTheLocalScanWindow) {
  for (const char* name : {ui::kBeginForm, ui::kLocalScanForm, ui::kOtherForm}) {
    SCOPED_TRACE(name);
    const FormTable& table = TableOf(name);
    const ControlRow* band = table.Find("Picture2");
    const ControlRow* banner = table.Find("Picture1");
    ASSERT_TRUE(band && banner);
    const int raise = name == std::string(ui::kLocalScanForm) ? 120 : 0;
    EXPECT_EQ(band->rect.top, -raise);
    EXPECT_EQ(banner->rect.top, 120 - raise);
    int helpButtons = 0;
    for (const ControlRow& control : table.controls)
      if (control.container == "Picture2" && control.text == "?") ++helpButtons;
    EXPECT_EQ(helpButtons, 1);
  }
}

}  // namespace
