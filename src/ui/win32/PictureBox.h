#pragma once
// The picture box: a child window of its own class that fills itself with its colour and
// draws its picture (the banner, or the application icon) unscaled from its top left corner,
// cut off at its edges. It takes the focus, as it does on the first platform.
#include <windows.h>

#include "ui/FormTable.h"

namespace Win32Ui {

// Makes a picture box child of `parent` for the row (its colour and picture), placed and
// sized in pixels.
HWND MakePictureBox(const ui::ControlRow& row, HWND parent, int id, const RECT& place);

}  // namespace Win32Ui
