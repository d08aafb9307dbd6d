#pragma once
// The about window's version line.
#include <string>

namespace ui {

// "Version M.m.r", or "Version M.m" when the revision is 0.
std::string VersionText(int major, int minor, int revision);

}  // namespace ui
