#include "X11Screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace qttest {

X11Screen::X11Screen() : display_(XOpenDisplay(nullptr)) {}

X11Screen::~X11Screen() {
  if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

std::vector<std::uint32_t> X11Screen::Pixels(int x, int y, int width, int height) const {
  auto* display = static_cast<Display*>(display_);
  if (!display || width <= 0 || height <= 0) return {};
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!image) return {};
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, column, row) & 0xFFFFFF));
  XDestroyImage(image);
  return pixels;
}

}  // namespace qttest
