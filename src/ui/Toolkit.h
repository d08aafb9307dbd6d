#pragma once
// What a window's handlers may ask of the screen. The Qt and Win32 toolkits draw the
// windows for real; the test toolkit records and answers without drawing anything.
#include <string>
#include <vector>

#include "scan/ScreenPorts.h"

namespace ui {

// A live control of a loaded window. Every kind answers every call; a call that does not
// apply to the kind (a check state of a label) is ignored and reads as empty or zero.
class Control : public ScreenPorts::TextBox, public ScreenPorts::Showable {
 public:
  // Text: caption of a label, button, frame or check box; content of a text box; the
  // selected entry of a drive list (empty when none is selected).
  // Visible / SetVisible: the control's visibility.
  virtual bool Visible() const = 0;
  // Check box: 0 unchecked, 1 checked.
  virtual int Checked() const = 0;
  virtual void SetChecked(int state) = 0;
  // Drive list: the entries, the selected index (-1 for none), selecting one.
  virtual std::vector<std::string> Items() const = 0;
  virtual int ListIndex() const = 0;
  virtual void SetListIndex(int index) = 0;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  // A control of a window that is loaded (loading it first when it is not).
  virtual Control& Get(const std::string& form, const std::string& control) = 0;
  // Loads the window when needed (running its load handler), shows it and returns at once.
  virtual void Show(const std::string& form) = 0;
  // Loads and shows the window modally over the active one; returns once it is unloaded.
  virtual void ShowModal(const std::string& form) = 0;
  // Hides and unloads the window; its controls' state is gone. A window may unload itself
  // from its own handler, so its Form and controls must live until that handler returns.
  virtual void Unload(const std::string& form) = 0;
  // True while the window is loaded.
  virtual bool IsLoaded(const std::string& form) const = 0;
  // Ends the program at once.
  virtual void EndProgram() = 0;
};

}  // namespace ui
