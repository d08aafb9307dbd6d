#pragma once
// The keyboard rule every window follows, whatever toolkit draws it: which controls take the
// focus and in what order, where the focus lands when a window opens, where Tab takes it, and
// which button Enter and Esc press.
#include <functional>
#include <string>
#include <vector>

#include "ui/FormTable.h"

namespace ui::Keyboard {

// Picture boxes, command buttons, check boxes, text boxes and drive lists take the focus;
// labels, frames and progress bars never do.
bool TakesFocus(ControlKind kind);

// The controls that take the focus, in the order of their tab indexes (table order among
// equal indexes).
std::vector<const ControlRow*> TabOrder(const FormTable& table);

// Whether a control can take the focus right now (it is shown and enabled).
using Available = std::function<bool(const ControlRow&)>;

// The control that has the focus when the window opens: the one with the lowest tab index
// that takes the focus and is available. Empty when none is.
std::string FirstFocus(const FormTable& table, const Available& available);

// The control Tab (forward) or Shift+Tab gives the focus to from `focused`: the next available
// one in tab order, round from the last to the first; from no control, the first (or the
// last). `focused` itself when no other is available; empty when none is.
std::string NextFocus(const FormTable& table, const std::string& focused, bool forward,
                      const Available& available);

// The button Enter presses while `focused` has the focus: that control when it is a command
// button, else the window's default button. Empty when Enter presses nothing.
std::string EnterPresses(const FormTable& table, const std::string& focused);

// The button Esc presses: the window's cancel button. Empty when Esc presses nothing.
std::string EscPresses(const FormTable& table);

}  // namespace ui::Keyboard
