#pragma once
// A loaded window as a toolkit draws it, and what it reports of what the user does to it.
// The window manager (WindowManager.h) owns each window's logic and its drawing; a toolkit
// draws the window from its table and passes on what happens to it.
#include <functional>
#include <string>

#include "ui/Toolkit.h"

namespace ui {

class DrawnWindow {
 public:
  virtual ~DrawnWindow() = default;
  // A control by name, or null.
  virtual Control* Find(const std::string& control) = 0;
  // Whether the window is on the screen.
  virtual bool OnScreen() const = 0;
  // Centres the window on the screen, gives the focus where the keyboard rule puts it (the
  // first time), shows it and makes it the active window.
  virtual void Present() = 0;
  // A window already on the screen: to the front, and the active window.
  virtual void BringToFront() = 0;
  // Runs `work` from the event loop once the window stands painted on the screen; not at all
  // once the window is dismissed.
  virtual void AfterPaint(std::function<void()> work) = 0;
  // Takes the window off the screen for good and ends its modal loop. The object lives on
  // until the window manager frees it, once no handler of the window runs.
  virtual void Dismiss() = 0;
};

// What a drawn window reports; the window manager runs the window's handlers for it.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // The window became the active window.
  virtual void Activated(DrawnWindow& window) = 0;
  // A command button of the window was pressed (by mouse, Enter or Esc).
  virtual void Clicked(DrawnWindow& window, const std::string& control) = 0;
  // The title-bar close box.
  virtual void CloseBoxPressed(DrawnWindow& window) = 0;
};

}  // namespace ui
