#pragma once
// Where a window's table puts things on the screen, in pixels. The tables give twips (1440 an
// inch); the screen has pixels, 96 an inch where the windows were first laid out.
#include "ui/FormTable.h"

namespace ui {

// The dots per inch the tables were laid out at: 15 twips make one pixel.
inline constexpr int kTableDpi = 96;

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Twips to pixels at `dpi` dots per inch, cut toward zero, so that at 96 dpi every size is
// the one the tables give.
int TwipsToPixels(int twips, int dpi = kTableDpi);

// A control's rectangle within what holds it: its picture box or frame, else the window.
PixelRect ControlPlace(const ControlRow& control, int dpi = kTableDpi);
// The same within the window's client area, for a toolkit that makes every control a child of
// the window itself: the places of its holders added (a table never nests deeper than a few
// levels).
PixelRect ControlPlaceInWindow(const FormTable& table, const ControlRow& control,
                               int dpi = kTableDpi);

// A line of the table in pixels. A horizontal or vertical line of width w covers w rows (or
// columns) from its coordinate down (or right), and its end point is left out, as the
// original platform draws them: a band to fill. Any other line is drawn with a pen.
struct LinePixels {
  bool isBand = false;
  PixelRect band;
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  int penWidth = 1;
};
LinePixels LineInPixels(const LineRow& line, int dpi = kTableDpi);

}  // namespace ui
