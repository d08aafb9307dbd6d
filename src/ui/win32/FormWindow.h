#pragma once
// One loaded window: its table drawn as a top-level Win32 window of child controls. What the
// user does to it (activation, a button, Enter or Esc, the close box) is passed on to the
// window manager, which runs the handlers.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/DrawnWindow.h"
#include "ui/FormTable.h"
#include "ui/win32/Win32Controls.h"

namespace Win32Ui {

class FormWindow final : public ui::DrawnWindow {
 public:
  // `table` outlives the window (the window manager owns both). `hiddenOwner` owns the
  // windows the table keeps out of the task bar (a window with an owner gets no button there).
  FormWindow(const ui::FormTable& table, ui::WindowEvents& events, HWND hiddenOwner);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // False when the native window could not be made.
  bool Made() const { return window_ != nullptr; }
  HWND Handle() const { return window_; }

  ui::Control* Find(const std::string& control) override;
  bool OnScreen() const override { return window_ && IsWindowVisible(window_); }
  void Present() override;
  void BringToFront() override { SetForegroundWindow(window_); }
  // Runs `work` from the message loop once the window and its controls have been painted.
  void AfterPaint(std::function<void()> work) override;
  // Destroys the native window for good.
  void Dismiss() override;
  bool Dismissed() const { return dismissed_; }

  // While shown modally: the windows the showing disabled, and the window to hand the
  // activation back to; both are put back when this window goes.
  void SetModal(std::vector<HWND> disabled, HWND owner);

  // Keys the window takes before the dialog manager sees them: Tab and Shift+Tab, which
  // follow the table's tab order, whatever holds a control. True when taken.
  bool PreTranslate(const MSG& message);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Create(HWND hiddenOwner);
  void DrawControls();
  const ui::ControlRow* RowOf(HWND child) const;
  HWND ChildOf(const std::string& control) const;
  // Shown and enabled: it can take the focus, or be pressed.
  bool Usable(HWND child) const;
  HWND FirstFocus() const;
  // The control that has the focus; empty when none has.
  std::string FocusedControl() const;
  void MoveFocus(bool forward);
  void Command(int id, int code);
  void PressIfUsable(const std::string& control);
  LRESULT Colors(HWND child, HDC dc);
  HBRUSH BrushFor(COLORREF color);
  void PaintLines();
  void RunAfterPaint();

  const ui::FormTable& table_;
  ui::WindowEvents& events_;
  HWND window_ = nullptr;
  HWND toolTips_ = nullptr;
  std::vector<std::unique_ptr<WindowControl>> controls_;  // by table row; null when not made
  std::map<COLORREF, HBRUSH> brushes_;
  HWND savedFocus_ = nullptr;
  std::vector<HWND> disabledWhileModal_;
  HWND modalOwner_ = nullptr;
  std::vector<std::function<void()>> afterPaint_;
  bool dismissed_ = false;
};

}  // namespace Win32Ui
