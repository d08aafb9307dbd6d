#pragma once
// How the Win32 windows are known: the window tests find windows and controls by the same
// rules. Where they put their controls is ui/Geometry.h's ControlPlaceInWindow: every control
// is a child of the window itself, also one that the table puts in a picture box or frame, as
// the dialog manager would walk a container's children right after the container, which the
// tab order of the local scan window's "?" does not allow.

namespace Win32Ui {

// The window class of every program window, of picture boxes and of the program's hidden
// window (the owner of the windows kept out of the task bar).
inline constexpr const char* kFormClass = "QuillfenForm";
inline constexpr const char* kPictureClass = "QuillfenPicture";
inline constexpr const char* kProgramClass = "QuillfenProgram";

// A control's id is its row's index in the table plus this. The dialog manager sends Enter and
// Esc as IDOK (1) and IDCANCEL (2), so no control may have those ids.
inline constexpr int kFirstControlId = 100;

}  // namespace Win32Ui
