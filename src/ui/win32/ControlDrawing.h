#pragma once
// One row of a window's table drawn as a Win32 child window, with the adapter the handlers
// use.
#include <windows.h>

#include <memory>

#include "ui/FormTable.h"
#include "ui/win32/Win32Controls.h"

namespace Win32Ui {

// Makes the child window for the row in the form window `form`, with the control id `id`,
// placed in pixels (ui::ControlPlaceInWindow), with its font, tool tip (added to `toolTips`, when there is
// one) and initial visibility. Null when the window could not be made.
std::unique_ptr<WindowControl> DrawControl(const ui::ControlRow& row, HWND form, int id,
                                           const RECT& place, HWND toolTips);

}  // namespace Win32Ui
