#pragma once
// The toolkit drawn with Win32 controls: the window manager's rules (ui/WindowManager.h) over
// top-level windows, a modal window's nested message loop (the other windows disabled
// meanwhile), calls posted to a hidden window of the program, and the message loop itself.
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "ui/WindowManager.h"

namespace Win32Ui {

class FormWindow;

class Win32Toolkit final : public ui::WindowManager {
 public:
  using ProgramEnd = std::function<void()>;

  // `makeForm` makes a window's logic by name (ui::MakeForm in the program). `endProgram` is
  // what ending the program does; by default it ends the message loops (PostQuitMessage).
  explicit Win32Toolkit(FormMaker makeForm, ProgramEnd endProgram = {});
  ~Win32Toolkit() override;

  // Runs the message loop until the program ends; returns the exit code.
  int Run();
  // The native window of a loaded window, or null.
  HWND Window(const std::string& form) const;

 private:
  std::unique_ptr<ui::DrawnWindow> Draw(const ui::FormTable& table) override;
  void RunModal(ui::DrawnWindow& window) override;
  void Post(std::function<void()> call) override;
  void LeaveEventLoops() override { endProgram_(); }

  // The loaded window a native window belongs to (itself, or a control in it), or null.
  FormWindow* Owning(HWND window) const;
  // One message: the window's own keys, then the dialog manager, which turns Enter and Esc
  // into IDOK and IDCANCEL, then the window itself.
  void Dispatch(MSG& message);
  // Runs messages until `done` or the end of the program. A WM_QUIT is posted again for the
  // loop outside.
  void RunUntil(const std::function<bool()>& done);
  // Runs the oldest posted call.
  void RunPosted();
  static LRESULT CALLBACK ProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  ProgramEnd endProgram_;
  HWND program_ = nullptr;  // hidden: owns the windows kept out of the task bar, takes posts
  std::deque<std::function<void()>> posted_;
};

}  // namespace Win32Ui
