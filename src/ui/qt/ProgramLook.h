#pragma once
// The look every window of the program shares, message boxes and pickers included.
namespace QtUi {

// Puts in place, once for the whole application, the classic style (bold bitmap text, check
// boxes, text-only dialog buttons) and the default font of the original platform's dialogs
// (MS Sans Serif 8.25 pt).
void UseProgramLook();

}  // namespace QtUi
