// Each of the six windows as drawn on screen, against its table: caption, client size,
// border, place on the screen, and every control's rectangle, caption, visibility, font,
// stacking and tool tip.
#undef _WIN32_IE
#define _WIN32_IE 0x0300
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ProgramTest.h"
#include "TestToolkit.h"
#include "ui/FormNames.h"
#include "ui/Geometry.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Layout.h"

namespace wintest {
namespace {

class Drawing : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

struct ToolTips {
  HWND owner;
  HWND found = nullptr;
};

BOOL CALLBACK FindToolTips(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<ToolTips*>(data);
  char windowClass[64] = {};
  GetClassNameA(window, windowClass, sizeof windowClass);
  if (std::string(windowClass) == TOOLTIPS_CLASSA && GetWindow(window, GW_OWNER) == search.owner) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

std::string ToolTipText(HWND tips, HWND form, HWND control) {
  char text[512] = {};
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageA(tips, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  return text;
}

bool ShowsText(ui::ControlKind kind) {
  return kind == ui::ControlKind::Label || kind == ui::ControlKind::CommandButton ||
         kind == ui::ControlKind::CheckBox || kind == ui::ControlKind::Frame;
}

TEST_P(Drawing, TheWindowIsItsTable) {
  const std::string name = GetParam();
  const ui::FormTable& table = TableOf(name);
  // What the window's own logic leaves in each control when it has loaded, drawn by nothing.
  uitest::TestToolkit model;
  model.Load(name);

  ProgramRun program(testsupport::StillForms(), name);
  const HWND form = program.Form(name);
  ASSERT_NE(form, nullptr) << "no window captioned \"" << table.caption << "\"";

  RECT client;
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, Px(table.clientWidth));
  EXPECT_EQ(client.bottom, Px(table.clientHeight));
  const LONG style = GetWindowLongA(form, GWL_STYLE), exStyle = GetWindowLongA(form, GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0) << "fixed, no boxes";
  EXPECT_EQ((style & WS_SYSMENU) != 0, table.closeBox);
  EXPECT_EQ((exStyle & WS_EX_DLGMODALFRAME) != 0, table.border == ui::Border::FixedDialog);
  // A window kept out of the task bar has an owner; one in it has none.
  EXPECT_EQ(GetWindow(form, GW_OWNER) == nullptr, table.showInTaskbar);
  EXPECT_EQ(SendMessageA(form, WM_GETICON, ICON_BIG, 0) != 0, table.hasIcon);
  RECT outer, area;
  GetWindowRect(form, &outer);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR(outer.left + outer.right, area.left + area.right, 1) << "centred across";
  EXPECT_NEAR(outer.top + outer.bottom, area.top + area.bottom, 1) << "centred down";

  ToolTips tips{form};
  EnumThreadWindows(GetWindowThreadProcessId(form, nullptr), FindToolTips, reinterpret_cast<LPARAM>(&tips));
  ASSERT_NE(tips.found, nullptr);
  int withTips = 0;
  const int dpi = Win32Fonts::ScreenDpi();
  for (std::size_t i = 0; i < table.controls.size(); ++i) {
    const ui::ControlRow& row = table.controls[i];
    SCOPED_TRACE(name + "." + row.name);
    const HWND control = program.Control(name, row.name);
    ASSERT_NE(control, nullptr);
    const ui::PixelRect want = ui::ControlPlaceInWindow(table, row, dpi);
    const RECT place = PlaceOf(control);
    EXPECT_EQ(place.left, want.left);
    EXPECT_EQ(place.top, want.top);
    EXPECT_EQ(place.right - place.left, want.width);
    EXPECT_EQ(place.bottom - place.top, want.height);
    if (ShowsText(row.kind)) {
      EXPECT_EQ(TextOf(control), model.Find(name, row.name)->Text());
    }
    EXPECT_EQ(IsWindowVisible(control) != 0, model.Find(name, row.name)->Visible());

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, row.font.face.c_str());
    EXPECT_EQ(font.lfHeight, -MulDiv(static_cast<int>(row.font.points * 100 + 0.5), dpi, 7200));
    EXPECT_EQ(font.lfWeight >= FW_BOLD, row.font.bold);

    if (!row.toolTip.empty()) {
      ++withTips;
      // Wine's tool tips give back 79 characters at most (the whole tip is shown).
      const std::string tip = ToolTipText(tips.found, form, control);
      EXPECT_GE(tip.size(), std::min<std::size_t>(row.toolTip.size(), 79));
      EXPECT_EQ(tip, row.toolTip.substr(0, tip.size()));
    }
  }
  EXPECT_EQ(SendMessageA(tips.found, TTM_GETTOOLCOUNT, 0, 0), withTips);

  // A later row lies over an earlier one: the band under the banner and the "?", a frame
  // under what it holds.
  std::vector<int> stacking;  // row indexes, topmost first
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    stacking.push_back(GetDlgCtrlID(child) - Win32Ui::kFirstControlId);
  std::vector<int> expected(table.controls.size());
  for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(expected.size() - 1 - i);
  EXPECT_EQ(stacking, expected);
}

INSTANTIATE_TEST_SUITE_P(SixWindows, Drawing, ::testing::ValuesIn(ui::kAllForms),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace wintest
