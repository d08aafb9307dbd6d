#pragma once
// Where the Win32 windows put their controls, and how they are known: the window tests find
// windows and controls by the same rules.
#include "ui/FormTable.h"

namespace Win32Ui {

// The window class of every program window, of picture boxes and of the program's hidden
// window (the owner of the windows kept out of the task bar).
inline constexpr const char* kFormClass = "QuillfenForm";
inline constexpr const char* kPictureClass = "QuillfenPicture";
inline constexpr const char* kProgramClass = "QuillfenProgram";

// A control's id is its row's index in the table plus this. The dialog manager sends Enter and
// Esc as IDOK (1) and IDCANCEL (2), so no control may have those ids.
inline constexpr int kFirstControlId = 100;

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Twips to pixels at the screen's dots per inch (1440 / dpi twips a pixel: 15 at 96 dpi), cut
// toward zero, so that at 96 dpi every size is the one the tables give.
int Pixels(int twips, int dpi);

// A control's rectangle in the window's client area. Every control is a child of the window
// itself, also one that the table puts in a picture box or frame: it stands at the container's
// position plus its own. (The dialog manager would walk a container's children right after the
// container, which the tab order of the local scan window's "?" does not allow.)
PixelRect ControlRect(const ui::FormTable& table, const ui::ControlRow& control, int dpi);

}  // namespace Win32Ui
