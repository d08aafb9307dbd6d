#pragma once
// The program's real windows, run on a thread of their own under a real display, and worked
// from the test's thread as a user (or an automation tool) would: through window messages.
// Windows are found by their class and caption, controls by their ids (ui/win32/Layout.h);
// clicks go in as BM_CLICK and keys as posted WM_KEYDOWN (a key sent with SendMessage would
// pass the dialog manager by); what is on screen is read back with GetWindowTextA,
// GetWindowRect and the like.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/Pictures.h"
#include "support/StillForms.h"
#include "ui/Form.h"

namespace wintest {

using testsupport::FormMaker;

// The table of a window of the program, by name.
const ui::FormTable& TableOf(const std::string& form);

class ProgramRun {
 public:
  // Starts the program on its own thread with `start` shown, and waits until it is on screen.
  explicit ProgramRun(FormMaker makeForm = ui::MakeForm, std::string start = ui::kStartForm);
  // Ends the program if it still runs (as WM_QUIT would), and waits for its thread.
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  // --- what is on screen
  // A window of the program that exists (made, not yet unloaded), or null.
  HWND Form(const std::string& form) const;
  // A control of such a window, or null.
  HWND Control(const std::string& form, const std::string& control) const;
  // The windows that exist, in the order of ui::kAllForms.
  std::vector<std::string> OpenForms() const;
  // The control with the keyboard focus as "FORM.control", a window itself as "FORM"; empty
  // when the focus is on nothing of the program's.
  std::string Focused() const;
  // The program's message loop has ended (Exit, the last window closed).
  bool Ended() const { return ended_; }

  // --- what the user does; each waits until the program has handled it
  // Presses a button; false when there is no such window or control.
  bool Click(const std::string& form, const std::string& control);
  // A key pressed and released on the window that has the focus.
  void Key(WPARAM virtualKey);
  // The title-bar close box (WM_CLOSE).
  void CloseBox(const std::string& form);
  // Waits until the program has handled everything posted to it so far, and what that
  // posted in turn.
  void Settle();
  // Waits until `condition` holds, for at most ten seconds; false when it never did.
  bool WaitFor(const std::function<bool()>& condition);

 private:
  void Main(FormMaker makeForm, std::string start);
  bool SyncOnce();

  std::thread thread_;
  std::atomic<DWORD> threadId_{0};
  std::atomic<HWND> sync_{nullptr};
  HANDLE synced_ = nullptr;  // set by the sync window
  HANDLE done_ = nullptr;    // set when the program's thread is about to end
  HANDLE ready_ = nullptr;   // set once the start window is shown
  std::atomic<bool> ended_{false};
};

// A window's text, read with a time limit (a busy program does not hang the test).
std::string TextOf(HWND window);
// What the screen shows in a rectangle (screen coordinates), read from the screen itself,
// so any thread may take it while the program's thread is busy; empty when it cannot be read.
testsupport::Pixels ScreenPixels(const RECT& area);
// A window's rectangle in its parent's client area (a top-level one: on the screen).
RECT PlaceOf(HWND window);

}  // namespace wintest
