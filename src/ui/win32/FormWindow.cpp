#include "ui/win32/FormWindow.h"

#include <commctrl.h>

#include "ui/Geometry.h"
#include "ui/Keyboard.h"
#include "ui/win32/ControlDrawing.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Images.h"
#include "ui/win32/Layout.h"

namespace Win32Ui {
namespace {

constexpr UINT kAfterPaintMessage = WM_APP + 1;
// A message number no window of the program is ever sent or posted.
constexpr UINT kNeverPosted = 0xBFFF;

int Px(int twips) { return ui::TwipsToPixels(twips, Win32Fonts::ScreenDpi()); }

// Puts on the screen what has been painted so far. GdiFlush hands over the drawing calls that
// Windows NT batches for a thread. Wine puts a window's paints on the screen only when its
// thread next finds no message to take; looking for a message that is never posted finds
// none, takes nothing, and so does that.
void ShowPaintsNow() {
  GdiFlush();
  MSG none;
  PeekMessageA(&none, nullptr, kNeverPosted, kNeverPosted, PM_NOREMOVE);
}

COLORREF ToColorRef(const ui::Color& color) { return RGB(color.red, color.green, color.blue); }

DWORD StyleOf(const ui::FormTable& table) {
  // A title bar and a fixed border, no minimise or maximise box; the system menu carries the
  // close box and the icon.
  DWORD style = WS_CAPTION | WS_CLIPSIBLINGS;
  if (table.closeBox) style |= WS_SYSMENU;
  return style;
}

DWORD ExStyleOf(const ui::FormTable& table) {
  DWORD style = table.border == ui::Border::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
  if (table.showInTaskbar) style |= WS_EX_APPWINDOW;
  return style;
}

// A read-only text box takes no Enter, Esc or Tab of its own: they belong to the window's
// keyboard rule. (A multi-line edit asks for every key, and closes its window on Esc.)
LRESULT CALLBACK ReadOnlyEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongA(edit, GWL_USERDATA));
  const LRESULT result = CallWindowProcA(original, edit, message, wParam, lParam);
  if (message == WM_GETDLGCODE) return result & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  return result;
}

void KeepKeysFromReadOnlyEdit(HWND edit) {
  SetWindowLongA(edit, GWL_USERDATA, GetWindowLongA(edit, GWL_WNDPROC));
  SetWindowLongA(edit, GWL_WNDPROC, reinterpret_cast<LONG>(ReadOnlyEditProc));
}

void RegisterOnce(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXA formClass = {};
    formClass.cbSize = sizeof formClass;
    formClass.lpfnWndProc = procedure;
    formClass.hInstance = GetModuleHandleA(nullptr);
    formClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = kFormClass;
    return RegisterClassExA(&formClass) != 0;
  }();
  (void)registered;
}

}  // namespace

FormWindow::FormWindow(const ui::FormTable& table, ui::WindowEvents& events, HWND hiddenOwner)
    : table_(table), events_(events) {
  Create(hiddenOwner);
  if (window_) DrawControls();
}

FormWindow::~FormWindow() {
  if (window_) DestroyWindow(window_);
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

void FormWindow::Create(HWND hiddenOwner) {
  RegisterOnce(Proc);
  const ui::FormTable& table = table_;
  RECT outer = {0, 0, Px(table.clientWidth), Px(table.clientHeight)};
  AdjustWindowRectEx(&outer, StyleOf(table), FALSE, ExStyleOf(table));
  window_ = CreateWindowExA(ExStyleOf(table), kFormClass, table.caption.c_str(), StyleOf(table),
                            CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                            outer.bottom - outer.top, table.showInTaskbar ? nullptr : hiddenOwner,
                            nullptr, GetModuleHandleA(nullptr), this);
  if (!window_) return;
  if (table.hasIcon) {
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Win32Images::AppIcon(32)));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Win32Images::AppIcon(16)));
  }
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(Win32Fonts::FontFor(ui::Font{})), FALSE);
  toolTips_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  // Long tips wrap (common controls 4.70 on; the first Windows 95 shows them on one line).
  if (toolTips_) SendMessageA(toolTips_, TTM_SETMAXTIPWIDTH, 0, 300);
}

void FormWindow::DrawControls() {
  const ui::FormTable& table = table_;
  const int dpi = Win32Fonts::ScreenDpi();
  for (std::size_t i = 0; i < table.controls.size(); ++i) {
    const ui::ControlRow& row = table.controls[i];
    const ui::PixelRect rect = ui::ControlPlaceInWindow(table, row, dpi);
    const RECT place = {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
    auto control = DrawControl(row, window_, kFirstControlId + static_cast<int>(i), place, toolTips_);
    if (control) {
      // A later control lies over an earlier one (a new child starts at the bottom).
      SetWindowPos(control->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      if (row.kind == ui::ControlKind::TextBox && (row.flags & ui::kReadOnly))
        KeepKeysFromReadOnlyEdit(control->Handle());
    }
    controls_.push_back(std::move(control));
  }
}

ui::Control* FormWindow::Find(const std::string& control) {
  const ui::FormTable& table = table_;
  for (std::size_t i = 0; i < table.controls.size(); ++i)
    if (table.controls[i].name == control) return controls_[i].get();
  return nullptr;
}

const ui::ControlRow* FormWindow::RowOf(HWND child) const {
  if (!child || GetParent(child) != window_) return nullptr;
  const int index = GetDlgCtrlID(child) - kFirstControlId;
  const auto& rows = table_.controls;
  return index >= 0 && index < static_cast<int>(rows.size()) ? &rows[index] : nullptr;
}

HWND FormWindow::ChildOf(const std::string& control) const {
  const auto& rows = table_.controls;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].name == control && controls_[i]) return controls_[i]->Handle();
  return nullptr;
}

bool FormWindow::Usable(HWND child) const {
  return child && (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(child);
}

HWND FormWindow::FirstFocus() const {
  return ChildOf(ui::Keyboard::FirstFocus(table_, [this](const ui::ControlRow& row) {
    return Usable(ChildOf(row.name));
  }));
}

std::string FormWindow::FocusedControl() const {
  // A control made of several windows (a combo box's field) has the focus on one inside it.
  for (HWND focus = GetFocus(); focus && focus != window_; focus = GetParent(focus))
    if (const ui::ControlRow* row = RowOf(focus)) return row->name;
  return {};
}

void FormWindow::Present() {
  if (!IsWindowVisible(window_)) {
    savedFocus_ = FirstFocus();
    // The whole window, title bar and borders included, stands at the centre.
    RECT area, outer;
    // The screen less the task bar; NT 3.51 knows only the whole screen.
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
      area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetWindowRect(window_, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    SetWindowPos(window_, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  UpdateWindow(window_);
}

void FormWindow::SetModal(std::vector<HWND> disabled, HWND owner) {
  disabledWhileModal_ = std::move(disabled);
  modalOwner_ = owner;
}

void FormWindow::AfterPaint(std::function<void()> work) {
  afterPaint_.push_back(std::move(work));
  PostMessageA(window_, kAfterPaintMessage, 0, 0);
}

void FormWindow::RunAfterPaint() {
  // The scan that activation may start keeps the message loop away until it ends: the
  // window must be on screen, painted whole (UpdateWindow for it and every control), before
  // it runs.
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ShowPaintsNow();
  std::vector<std::function<void()>> work;
  work.swap(afterPaint_);
  for (auto& step : work)
    if (!dismissed_) step();
}

void FormWindow::Dismiss() {
  if (dismissed_) return;
  dismissed_ = true;
  afterPaint_.clear();
  // The windows a modal showing disabled come back before it goes, so that Windows hands
  // the activation to one of them and not to another program's window.
  for (HWND other : disabledWhileModal_)
    if (IsWindow(other)) EnableWindow(other, TRUE);
  if (modalOwner_ && IsWindow(modalOwner_) && GetActiveWindow() == window_) SetActiveWindow(modalOwner_);
  if (window_) DestroyWindow(window_);
}

bool FormWindow::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || dismissed_) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  MoveFocus(GetKeyState(VK_SHIFT) >= 0);
  return true;
}

void FormWindow::MoveFocus(bool forward) {
  const std::string next = ui::Keyboard::NextFocus(table_, FocusedControl(), forward,
                                                   [this](const ui::ControlRow& row) {
                                                     return Usable(ChildOf(row.name));
                                                   });
  if (HWND child = ChildOf(next)) SetFocus(child);
}

void FormWindow::PressIfUsable(const std::string& control) {
  HWND child = ChildOf(control);
  const ui::ControlRow* row = RowOf(child);
  if (row && row->kind == ui::ControlKind::CommandButton && Usable(child) && IsWindowEnabled(window_))
    events_.Clicked(*this, control);
}

void FormWindow::Command(int id, int code) {
  if (dismissed_) return;
  // The dialog manager sends Enter and Esc as IDOK and IDCANCEL, whatever has the focus (an
  // ordinary button included): they go where the keyboard rule says.
  if (id == IDOK) return PressIfUsable(ui::Keyboard::EnterPresses(table_, FocusedControl()));
  if (id == IDCANCEL) return PressIfUsable(ui::Keyboard::EscPresses(table_));
  if (code != BN_CLICKED) return;
  const auto& rows = table_.controls;
  const int index = id - kFirstControlId;
  if (index >= 0 && index < static_cast<int>(rows.size())) PressIfUsable(rows[index].name);
}

HBRUSH FormWindow::BrushFor(COLORREF color) {
  auto [it, added] = brushes_.emplace(color, nullptr);
  if (added) it->second = CreateSolidBrush(color);
  return it->second;
}

LRESULT FormWindow::Colors(HWND child, HDC dc) {
  const ui::ControlRow* row = RowOf(child);
  // A text box is white with window text, even when read-only (which Windows draws grey).
  const bool box = row && row->kind == ui::ControlKind::TextBox;
  const COLORREF text = row && row->foreColor ? ToColorRef(*row->foreColor)
                                              : GetSysColor(box ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
  const COLORREF back = row && row->backColor ? ToColorRef(*row->backColor)
                                              : GetSysColor(box ? COLOR_WINDOW : COLOR_BTNFACE);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(BrushFor(back));
}

void FormWindow::PaintLines() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  for (const ui::LineRow& line : table_.lines) {
    // As ui::LineInPixels places it.
    const ui::LinePixels pixels = ui::LineInPixels(line, Win32Fonts::ScreenDpi());
    if (pixels.isBand) {
      const RECT band = {pixels.band.left, pixels.band.top, pixels.band.left + pixels.band.width,
                         pixels.band.top + pixels.band.height};
      FillRect(dc, &band, BrushFor(ToColorRef(line.color)));
    } else {
      const HPEN pen = CreatePen(PS_SOLID, pixels.penWidth, ToColorRef(line.color));
      const HGDIOBJ old = SelectObject(dc, pen);
      MoveToEx(dc, pixels.x1, pixels.y1, nullptr);
      LineTo(dc, pixels.x2, pixels.y2);
      SelectObject(dc, old);
      DeleteObject(pen);
    }
  }
  EndPaint(window_, &paint);
}

LRESULT CALLBACK FormWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongA(window, GWL_USERDATA, reinterpret_cast<LONG>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongA(window, GWL_USERDATA));
  return self ? self->Handle(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return Colors(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_SETCURSOR: {
      const ui::ControlRow* row = RowOf(reinterpret_cast<HWND>(wParam));
      if (row && (row->flags & ui::kHandCursor) && LOWORD(lParam) == HTCLIENT && Win32Images::HandCursor()) {
        SetCursor(Win32Images::HandCursor());
        return TRUE;
      }
      break;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (!FocusedControl().empty()) savedFocus_ = GetFocus();
        return 0;
      }
      // The focus goes back where it was, or where the keyboard rule puts it.
      if (!Usable(savedFocus_) || !RowOf(savedFocus_)) savedFocus_ = FirstFocus();
      SetFocus(savedFocus_ ? savedFocus_ : window_);
      if (!dismissed_) events_.Activated(*this);
      return 0;
    case WM_CLOSE:
      // The close box asks the window's logic; the toolkit unloads the window when it may go.
      if (!dismissed_) events_.CloseBoxPressed(*this);
      return 0;
    case WM_PAINT:
      PaintLines();
      return 0;
    case kAfterPaintMessage:
      RunAfterPaint();
      return 0;
    case WM_NCDESTROY: {
      const HWND gone = window_;
      for (auto& control : controls_)
        if (control) control->Forget();
      SetWindowLongA(gone, GWL_USERDATA, 0);
      window_ = nullptr;
      toolTips_ = nullptr;  // an owned window goes with its owner
      return DefWindowProcA(gone, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace Win32Ui
