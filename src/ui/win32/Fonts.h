#pragma once
// The fonts the window tables name, made with CreateFontA at the screen's dots per inch.
#include <windows.h>

#include "ui/FormTable.h"

namespace Win32Fonts {

// The screen's dots per inch (LOGPIXELSY), which scales fonts and twips alike.
int ScreenDpi();

// The font for a table's face, points and weight; made once and kept for the program's life.
HFONT FontFor(const ui::Font& font);

}  // namespace Win32Fonts
