#include "ui/win32/Layout.h"

namespace Win32Ui {

int Pixels(int twips, int dpi) { return static_cast<int>(static_cast<long long>(twips) * dpi / 1440); }

PixelRect ControlRect(const ui::FormTable& table, const ui::ControlRow& control, int dpi) {
  PixelRect rect{Pixels(control.rect.left, dpi), Pixels(control.rect.top, dpi),
                 Pixels(control.rect.width, dpi), Pixels(control.rect.height, dpi)};
  // Containers may themselves be held (a table never nests deeper than a few levels).
  const ui::ControlRow* holder = table.Find(control.container);
  for (int depth = 0; holder && depth < 8; ++depth, holder = table.Find(holder->container)) {
    rect.left += Pixels(holder->rect.left, dpi);
    rect.top += Pixels(holder->rect.top, dpi);
  }
  return rect;
}

}  // namespace Win32Ui
