#pragma once
// What an X display shows, read from the X server on a connection of its own: a picture of
// the screen as a person sees it, which any thread may take while the program's thread is
// busy. Kept apart from Qt, whose names the X headers' macros would clash with.
#include <cstdint>
#include <vector>

namespace qttest {

class X11Screen {
 public:
  // Opens the display named by DISPLAY; Open() tells whether that worked.
  X11Screen();
  ~X11Screen();
  X11Screen(const X11Screen&) = delete;
  X11Screen& operator=(const X11Screen&) = delete;

  bool Open() const { return display_ != nullptr; }
  // The rectangle of the screen as 0xRRGGBB pixels, top row first; empty when it cannot be read.
  std::vector<std::uint32_t> Pixels(int x, int y, int width, int height) const;

 private:
  void* display_ = nullptr;  // Display*
};

}  // namespace qttest
