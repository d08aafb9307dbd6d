#pragma once
// One loaded window: its table drawn as a top-level Win32 window of child controls, owning
// the window's logic. What the user does to it (activation, a button, Enter or Esc, the close
// box) is passed on to the toolkit, which runs the handlers.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/win32/Win32Controls.h"

namespace Win32Ui {

class FormWindow;

// The toolkit's side of a window's events.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void Activated(FormWindow& window) = 0;
  virtual void Clicked(FormWindow& window, const std::string& control) = 0;
  virtual void CloseBoxPressed(FormWindow& window) = 0;
};

class FormWindow {
 public:
  // `hiddenOwner` owns the windows the table keeps out of the task bar (a window with an
  // owner gets no button there).
  FormWindow(std::unique_ptr<ui::Form> logic, WindowEvents& events, HWND hiddenOwner);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // False when the native window could not be made.
  bool Made() const { return window_ != nullptr; }
  const std::string& Name() const { return name_; }
  ui::Form& Logic() { return *logic_; }
  HWND Handle() const { return window_; }
  // A control by name, or null.
  ui::Control* Find(const std::string& control);

  // Centres the window on the screen, gives the first focus (the first time), shows and
  // activates it.
  void Present();
  // While shown modally: the windows the showing disabled, and the window to hand the
  // activation back to; both are put back when this window goes.
  void SetModal(std::vector<HWND> disabled, HWND owner);
  // Runs `work` from the message loop once the window and its controls have been painted.
  void AfterPaint(std::function<void()> work);
  // Destroys the native window for good; the object lives on while a handler holds it.
  void Dismiss();
  bool Dismissed() const { return dismissed_; }
  // Held while a handler of this window, or a modal showing of it, runs.
  void Hold() { ++holds_; }
  void Release() { --holds_; }
  bool Held() const { return holds_ > 0; }

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

  std::unique_ptr<ui::Form> logic_;
  WindowEvents& events_;
  std::string name_;
  HWND window_ = nullptr;
  HWND toolTips_ = nullptr;
  std::vector<std::unique_ptr<WindowControl>> controls_;  // by table row; null when not made
  std::map<COLORREF, HBRUSH> brushes_;
  HWND savedFocus_ = nullptr;
  std::vector<HWND> disabledWhileModal_;
  HWND modalOwner_ = nullptr;
  std::vector<std::function<void()>> afterPaint_;
  int holds_ = 0;
  bool dismissed_ = false;
};

}  // namespace Win32Ui
