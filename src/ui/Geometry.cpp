#include "ui/Geometry.h"

#include <algorithm>
#include <cstdlib>

namespace ui {

int TwipsToPixels(int twips, int dpi) {
  return static_cast<int>(static_cast<long long>(twips) * dpi / 1440);
}

PixelRect ControlPlace(const ControlRow& control, int dpi) {
  return {TwipsToPixels(control.rect.left, dpi), TwipsToPixels(control.rect.top, dpi),
          TwipsToPixels(control.rect.width, dpi), TwipsToPixels(control.rect.height, dpi)};
}

PixelRect ControlPlaceInWindow(const FormTable& table, const ControlRow& control, int dpi) {
  PixelRect place = ControlPlace(control, dpi);
  const ControlRow* holder = table.Find(control.container);
  for (int depth = 0; holder && depth < 8; ++depth, holder = table.Find(holder->container)) {
    place.left += TwipsToPixels(holder->rect.left, dpi);
    place.top += TwipsToPixels(holder->rect.top, dpi);
  }
  return place;
}

LinePixels LineInPixels(const LineRow& line, int dpi) {
  LinePixels pixels;
  pixels.x1 = TwipsToPixels(line.x1, dpi);
  pixels.y1 = TwipsToPixels(line.y1, dpi);
  pixels.x2 = TwipsToPixels(line.x2, dpi);
  pixels.y2 = TwipsToPixels(line.y2, dpi);
  pixels.penWidth = std::max(1, line.widthPixels);
  const bool across = pixels.y1 == pixels.y2;
  pixels.isBand = across || pixels.x1 == pixels.x2;
  if (pixels.isBand) {
    pixels.band = {std::min(pixels.x1, pixels.x2), std::min(pixels.y1, pixels.y2),
                   across ? std::abs(pixels.x2 - pixels.x1) : pixels.penWidth,
                   across ? pixels.penWidth : std::abs(pixels.y2 - pixels.y1)};
  }
  return pixels;
}

}  // namespace ui
