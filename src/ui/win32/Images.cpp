#include "ui/win32/Images.h"

#include "ResourceIds.h"

namespace Win32Images {

HBITMAP Banner() {
  static const HBITMAP banner = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QUILLFEN_BANNER));
  return banner;
}

HICON AppIcon(int size) {
  static HICON icons[3] = {};
  const int slot = size <= 16 ? 0 : size <= 32 ? 1 : 2;
  if (!icons[slot])
    icons[slot] = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QUILLFEN_ICON),
                                                IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  return icons[slot];
}

HCURSOR HandCursor() {
  static const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QUILLFEN_HAND_CURSOR));
  return hand;
}

}  // namespace Win32Images
