#pragma once
// The program's navigation and keyboard, as one table that each toolkit's tests run against
// its own windows: the test toolkit's (tests/ui), the Qt windows (tests/ui/qt) and the Win32
// windows (tests/ui/win32). Each runner does what a row says the way a user does it there, and
// checks what that toolkit can see: the windows open, the program's end, the focus, the keys'
// presses; the test toolkit also its transcript of the window life.
#include <ostream>
#include <string>
#include <vector>

namespace testsupport::navigation {

using Names = std::vector<std::string>;

enum class Key { Enter, Escape, Tab };

// One thing a user does to a window: a click on a command button, its close box, or a key
// pressed while the window has the focus.
struct Act {
  enum class Kind { Click, CloseBox, Key };
  Kind kind = Kind::Click;
  std::string form;
  std::string button;  // Click
  Key key = Key::Enter;  // Key
};
Act Click(std::string form, std::string button);
Act CloseBox(std::string form);
Act Press(std::string form, Key key);
std::ostream& operator<<(std::ostream& out, const Act& act);

// From start-up: `reach`, then `act`.
struct Step {
  std::string name;
  std::vector<Act> reach;
  std::string focused;  // the control of the act's window with the focus just before a key;
                        // empty for a click or the close box
  Act act;
  Names open;        // the windows open afterwards, in the order of ui::kAllForms; none: the
                     // program has ended
  bool scanned;      // the local scan window, when open, shows a scan in its console
  Names transcript;  // the test toolkit's record of `act`
};
const std::vector<Step>& Steps();

// From start-up: `reach`, then `opens` shows `modal` over its owner (the window of `opens`).
// While the modal window is up, `refused` (an act on the owner that leaves it) does nothing;
// `closes` closes the modal window; then `refused` works again.
struct ModalStep {
  std::string name;
  std::vector<Act> reach;
  Act opens;
  std::string modal;
  Act refused;
  Act closes;
  Names transcript;  // the test toolkit's record of `opens`, with `closes` inside it
};
const std::vector<ModalStep>& ModalSteps();

// Each window right after it opens.
struct Keys {
  std::string form;
  std::string firstFocus;
  Names enter;   // what Enter presses
  Names escape;  // what Esc presses
  Names tabs;    // where each Tab from the first focus takes it, round to the first again
};
const std::vector<Keys>& KeyRows();
const Keys& KeysOf(const std::string& form);

// `names` in the order of ui::kAllForms.
Names InFormOrder(Names names);

// For the test runners' parameter names.
void PrintTo(const Step& step, std::ostream* out);
void PrintTo(const ModalStep& step, std::ostream* out);
void PrintTo(const Keys& keys, std::ostream* out);

}  // namespace testsupport::navigation
