#include "ui/win32/Fonts.h"

#include <cmath>
#include <map>
#include <tuple>

namespace Win32Fonts {

int ScreenDpi() {
  static const int dpi = [] {
    const HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

HFONT FontFor(const ui::Font& font) {
  static std::map<std::tuple<std::string, int, bool>, HFONT> made;
  // Hundredths of a point, so 8.25 pt stays exact.
  const int hundredths = static_cast<int>(std::lround(font.points * 100));
  const auto key = std::make_tuple(font.face, hundredths, font.bold);
  if (auto it = made.find(key); it != made.end()) return it->second;
  // A negative height asks for the character height (points), not the cell height.
  const int height = -MulDiv(hundredths, ScreenDpi(), 7200);
  HFONT created = CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face.c_str());
  // Without the face the system's dialog font stands in; the window stays usable.
  if (!created) created = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  made.emplace(key, created);
  return created;
}

}  // namespace Win32Fonts
