#pragma once
// A toolkit that draws nothing: the window manager's rules (ui/WindowManager.h) over windows
// that keep their controls in memory, so the tests work the rules that ship. It runs the
// handlers as a user's actions and the event loop would, answers modal windows from a script,
// and records the window life as a transcript: "load X", "show X", "modal X", "close X" (close
// box), "unload X", "end".
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TestControl.h"
#include "ui/WindowManager.h"

namespace uitest {

class TestToolkit final : public ui::WindowManager {
 public:
  explicit TestToolkit(FormMaker makeForm = ui::MakeForm);
  ~TestToolkit() override;

  // --- what the user does
  // Starts the program: shows the start window (or the one given).
  void Start(const std::string& form = ui::kStartForm);
  // Presses a command button. False when the user cannot reach it: its window is not loaded
  // or lies under a modal window, or the button is hidden. An unknown name fails the test.
  bool Click(const std::string& form, const std::string& control);
  // Enter and Esc, as the keyboard rule has them: Enter presses the focused button or else the
  // default button, Esc the cancel button; false when the key presses nothing. A window gets
  // its first focus when it is shown and keeps it.
  bool PressEnter(const std::string& form);
  bool PressEscape(const std::string& form);
  // Tab (Shift+Tab when not `forward`): the focus goes where the keyboard rule takes it among
  // the shown controls; false when the window takes no input.
  bool PressTab(const std::string& form, bool forward = true);
  // The title-bar close box; false when the window has none, takes no input or refuses to
  // close.
  bool CloseBox(const std::string& form);
  // Loads a window without showing it, to reach a state the user cannot (an idle progress
  // window).
  void Load(const std::string& form);
  // What the user does in a modal window once it is active. Each showing that is still open
  // after its activation takes the next action; a window still open after its action, or
  // with none left, is closed with its close box. One that cannot be closed so fails the
  // test, and so does an action left unused when the toolkit goes.
  void WhenModal(const std::string& form, std::function<void()> action);
  // The entries every drive list gets when its window loads, and the entry the platform
  // selects before the load step (-1: none).
  void SetDrives(std::vector<std::string> entries, int selected);

  // --- what happened
  const std::vector<std::string>& Transcript() const { return transcript_; }
  void ClearTranscript() { transcript_.clear(); }
  // Whether a loaded window is on the screen.
  bool Shown(const std::string& form) const;
  // The control of a loaded window that has the focus (empty when none has).
  std::string Focused(const std::string& form) const;
  // A control of a loaded window, or null; unlike Get it never loads anything.
  const TestControl* Find(const std::string& form, const std::string& control) const;

 private:
  class Window;

  std::unique_ptr<ui::DrawnWindow> Draw(const ui::FormTable& table) override;
  void RunModal(ui::DrawnWindow& window) override;
  void Post(std::function<void()> call) override;
  void LeaveEventLoops() override;
  void Missing(const std::string& form, const std::string& control) override;

  // Every entry from outside (a user's action, the start) runs inside one; when the outermost
  // returns, the posted calls run, as the event loop would run them.
  void Dispatch(const std::function<void()>& work);
  void RunPosted();
  Window* Loaded(const std::string& form) const;
  Window* Numbered(std::uint64_t number) const;
  // The platform's part: a window that is shown becomes the active window, and a modal
  // window's owner becomes it again when the modal window has gone; the activation is
  // reported from the event loop.
  void Activate(const Window& window);
  // A window under a modal one takes no input.
  bool Reachable(const std::string& form) const;
  bool Press(const std::string& form, const std::string& button);

  std::deque<std::function<void()>> posted_;
  std::map<std::string, std::deque<std::function<void()>>> modalActions_;
  std::vector<std::string> drives_;
  int selectedDrive_ = -1;
  std::vector<std::string> transcript_;
  std::uint64_t windows_ = 0;  // windows drawn so far, which numbers each
  std::uint64_t active_ = 0;   // the number of the active window
  int depth_ = 0;
};

}  // namespace uitest
