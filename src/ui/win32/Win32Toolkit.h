#pragma once
// The toolkit drawn with Win32 controls: keeps the loaded windows by name, runs their
// handlers, shows them modeless or modally (the other windows disabled, a nested message
// loop), runs the message loop, and ends the program when the last window is gone.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/Toolkit.h"
#include "ui/win32/FormWindow.h"

namespace Win32Ui {

class Win32Toolkit final : public ui::Toolkit, private WindowEvents {
 public:
  using FormMaker = std::function<std::unique_ptr<ui::Form>(const std::string&)>;
  using ProgramEnd = std::function<void()>;

  // `makeForm` makes a window's logic by name (ui::MakeForm in the program). `endProgram` is
  // what ending the program does; by default it ends the message loops (PostQuitMessage).
  explicit Win32Toolkit(FormMaker makeForm, ProgramEnd endProgram = {});
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  ui::Control& Get(const std::string& form, const std::string& control) override;
  void Show(const std::string& form) override;
  void ShowModal(const std::string& form) override;
  void Unload(const std::string& form) override;
  bool IsLoaded(const std::string& form) const override;
  void EndProgram() override;

  // Runs the message loop until the program ends; returns the exit code.
  int Run();
  // The native window of a loaded window, or null.
  HWND Window(const std::string& form) const;
  // Whether the program has ended (Exit, or no window left).
  bool Ended() const { return ended_; }

 private:
  void Activated(FormWindow& window) override;
  void Clicked(FormWindow& window, const std::string& control) override;
  void CloseBoxPressed(FormWindow& window) override;

  FormWindow* Load(const std::string& form);
  FormWindow* Loaded(const std::string& form) const;
  // The loaded window a native window belongs to (itself, or a control in it), or null.
  FormWindow* Owning(HWND window) const;
  // One message: the window's own keys, then the dialog manager, which turns Enter and Esc
  // into IDOK and IDCANCEL, then the window itself.
  void Dispatch(MSG& message);
  // Runs messages until `done` or the end of the program. A WM_QUIT is posted again for the
  // loop outside.
  void RunUntil(const std::function<bool()>& done);
  // Runs a handler of the window, which lives on until the handler returns even when it
  // unloads its own window.
  void RunLogic(FormWindow& window, const std::function<void()>& handler);
  // Posted after an unload: frees the windows no handler holds any more, and ends the program
  // when no window is left. Posted, so that a handler that unloads its window and then shows
  // the next one keeps the program running.
  void PostAfterUnload();
  void AfterUnload();
  static LRESULT CALLBACK ProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  FormMaker makeForm_;
  ProgramEnd endProgram_;
  HWND program_ = nullptr;  // hidden: owns the windows kept out of the task bar, takes posts
  std::map<std::string, std::unique_ptr<FormWindow>> windows_;
  std::vector<std::unique_ptr<FormWindow>> unloaded_;
  std::string lastActive_;  // the window whose activation ran last
  bool ended_ = false;
};

}  // namespace Win32Ui
