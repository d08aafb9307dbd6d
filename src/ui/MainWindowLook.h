#pragma once
// The look the three main windows share: the white header band with the "?" button, the
// banner over it, the title and welcome labels, and the ">" pointers before option buttons.
#include <string>

#include "ui/FormTable.h"

namespace ui::MainWindowLook {

inline constexpr const char* kBandName = "Picture2";
inline constexpr const char* kBannerName = "Picture1";

// Where a window puts the header: the "?" button's name, the tab indexes of the band, the
// button and the banner, and how far the band and banner sit above their usual place.
struct Header {
  std::string aboutButton;
  int bandTab = 0;
  int aboutTab = 0;
  int bannerTab = 0;
  int raise = 0;  // twips
};

// Appends the band, its "?" button and the banner, in that order (the banner lies on top).
void AddHeader(FormTable& table, const Header& header);
// The title label (Arial 15.75 pt bold) and the welcome text (Arial 8.25 pt, wrapping).
ControlRow TitleLabel(const std::string& text, Rect rect, int tabIndex);
ControlRow WelcomeLabel(const std::string& text, Rect rect, int tabIndex);
// The ">" before an option button (Arial 14.25 pt bold, 255 twips wide).
ControlRow Pointer(const std::string& name, int left, int top, int height, int tabIndex,
                    const std::string& container = {});

}  // namespace ui::MainWindowLook
