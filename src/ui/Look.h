#pragma once
// Fonts and colours the windows' tables share.
#include "ui/FormTable.h"

namespace ui::Look {

// MS Sans Serif 8.25 pt regular is the default of every control (Font{}).
inline Font SansSerifBold() { return {"MS Sans Serif", 8.25, true}; }
inline Font TitleFont() { return {"Arial", 15.75, true}; }
inline Font WelcomeFont() { return {"Arial", 8.25, false}; }
// The ">" pointers and the progress window's heading.
inline Font ArialLarge() { return {"Arial", 14.25, true}; }

inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kDarkRed{192, 0, 0};
inline constexpr Color kGrey{128, 128, 128};

}  // namespace ui::Look
