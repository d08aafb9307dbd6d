#pragma once
// The program's built-in pictures, from the exe's resources (resources/quillfen.rc.in): the
// banner of the main windows, the application icon and the pointing-hand cursor. Each is
// loaded once and kept for the program's life; a missing one is null and simply not drawn.
#include <windows.h>

namespace Win32Images {

HBITMAP Banner();           // 438 x 81
HICON AppIcon(int size);    // 16, 32 or 48 pixels, the image Windows picks for the screen
// The pointing hand, 32 x 32, hot spot at the tip of the index finger. A resource of its
// own, as Windows 95 and NT 4.0 have no IDC_HAND.
HCURSOR HandCursor();

}  // namespace Win32Images
