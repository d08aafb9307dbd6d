#include "ui/win32/ControlDrawing.h"

#include <commctrl.h>

#include "system/win32/Win32Host.h"
#include "ui/DriveChoice.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/PictureBox.h"
#include "ui/win32/TextBoxControl.h"

namespace Win32Ui {
namespace {

using ui::ControlKind;
using ui::ControlRow;

// Every control lies in the window itself (Layout.h says why); WS_CLIPSIBLINGS keeps one that
// lies under another (the band under the banner, the frame under what it holds) from painting
// over it. Each is a group of its own, so the dialog manager's arrow keys never move the focus.
constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS | WS_GROUP;

HWND Make(const char* windowClass, DWORD style, DWORD exStyle, const ControlRow& row, HWND form,
          int id, const RECT& place, int height) {
  return CreateWindowExA(exStyle, windowClass, row.text.c_str(), kChild | style, place.left, place.top,
                         place.right - place.left, height, form,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                         nullptr);
}

int Height(const RECT& place) { return place.bottom - place.top; }

std::unique_ptr<WindowControl> MakeDriveList(const ControlRow& row, HWND form, int id, const RECT& place) {
  // The height a combo box is made with includes its dropped-down list.
  HWND list = Make("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, row, form, id, place,
                   Height(place) * 8);
  if (!list) return nullptr;
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(Win32Fonts::FontFor(row.font)), FALSE);
  // The closed box takes its height from its selection field, which each Windows pads in its
  // own way (Wine reads back 2 more than was set): the field is corrected until the box is as
  // high as the table says.
  LRESULT field = SendMessageA(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; field != CB_ERR && attempt < 4; ++attempt) {
    RECT shown;
    GetWindowRect(list, &shown);
    const int off = Height(place) - (shown.bottom - shown.top);
    if (off == 0 || field + off <= 0) break;
    field += off;
    SendMessageA(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
  const DriveChoice::Drives drives = DriveChoice::MachineDrives();
  for (const std::string& entry : drives.entries)
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(list, CB_SETCURSEL, drives.selected, 0);
  return std::make_unique<ListControl>(list);
}

std::unique_ptr<WindowControl> MakeTextBox(const ControlRow& row, HWND form, int id, const RECT& place) {
  DWORD style = WS_TABSTOP;
  const bool multiLine = (row.flags & ui::kMultiLine) != 0;
  // A multi-line box without a horizontal scroll bar wraps its lines at the box's edge.
  style |= multiLine ? ES_MULTILINE : ES_AUTOHSCROLL;
  if (row.flags & ui::kVScroll) style |= WS_VSCROLL | ES_AUTOVSCROLL;
  if (row.flags & ui::kReadOnly) style |= ES_READONLY;
  HWND edit = Make("EDIT", style, WS_EX_CLIENTEDGE, row, form, id, place, Height(place));
  if (!edit) return nullptr;
  const bool small = multiLine && Win32Host::IsWindows9x();
  return std::make_unique<TextBoxControl>(edit, small ? TextBoxControl::kWindows9xCapacity
                                                      : TextBoxControl::kUnlimited);
}

std::unique_ptr<WindowControl> MakeProgressBar(const ControlRow& row, HWND form, int id, const RECT& place) {
  // Flat: a plain line round the bar instead of the sunken edge.
  const bool flat = (row.flags & ui::kFlat) != 0;
  HWND bar = Make(PROGRESS_CLASSA, flat ? WS_BORDER : 0, flat ? 0 : WS_EX_CLIENTEDGE, row, form,
                  id, place, Height(place));
  if (!bar) return nullptr;
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageA(bar, PBM_SETPOS, 0, 0);
  return std::make_unique<WindowControl>(bar);
}

std::unique_ptr<WindowControl> MakeWindow(const ControlRow& row, HWND form, int id, const RECT& place) {
  switch (row.kind) {
    case ControlKind::Label: {
      // Static text breaks at word boundaries within its box; "&" is shown as it is.
      HWND label = Make("STATIC", SS_LEFT | SS_NOPREFIX, 0, row, form, id, place, Height(place));
      return label ? std::make_unique<CaptionControl>(label) : nullptr;
    }
    case ControlKind::CommandButton: {
      const DWORD kind = (row.flags & ui::kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      HWND button = Make("BUTTON", kind | WS_TABSTOP, 0, row, form, id, place, Height(place));
      return button ? std::make_unique<CaptionControl>(button) : nullptr;
    }
    case ControlKind::CheckBox: {
      HWND box = Make("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, row, form, id, place, Height(place));
      return box ? std::make_unique<CheckControl>(box) : nullptr;
    }
    case ControlKind::Frame: {
      HWND frame = Make("BUTTON", BS_GROUPBOX, 0, row, form, id, place, Height(place));
      return frame ? std::make_unique<CaptionControl>(frame) : nullptr;
    }
    case ControlKind::PictureBox: {
      HWND picture = MakePictureBox(row, form, id, place);
      return picture ? std::make_unique<WindowControl>(picture) : nullptr;
    }
    case ControlKind::TextBox: return MakeTextBox(row, form, id, place);
    case ControlKind::DriveList: return MakeDriveList(row, form, id, place);
    case ControlKind::ProgressBar: return MakeProgressBar(row, form, id, place);
  }
  return nullptr;
}

void AddToolTip(HWND toolTips, HWND form, HWND control, const std::string& text) {
  TOOLINFOA tool = {};
  // The size Windows 95's first common controls know; later ones accept it as well.
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text.c_str());  // copied by the tool tip control
  SendMessageA(toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

std::unique_ptr<WindowControl> DrawControl(const ControlRow& row, HWND form, int id, const RECT& place,
                                           HWND toolTips) {
  std::unique_ptr<WindowControl> control = MakeWindow(row, form, id, place);
  if (!control) return nullptr;
  HWND window = control->Handle();
  if (row.kind != ControlKind::DriveList)
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Win32Fonts::FontFor(row.font)), FALSE);
  if (toolTips && !row.toolTip.empty()) AddToolTip(toolTips, form, window, row.toolTip);
  if (!(row.flags & ui::kHidden)) ShowWindow(window, SW_SHOWNA);
  return control;
}

}  // namespace Win32Ui
