#pragma once
// A window of the program as a table: its caption, client size, border, and controls.
// Positions and sizes are in twips (1440 an inch); ui/Geometry.h turns them into pixels.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
  Label,
  CommandButton,
  TextBox,
  CheckBox,
  Frame,
  PictureBox,
  DriveList,
  ProgressBar,
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct Font {
  std::string face = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
};

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// Control flags.
enum : unsigned {
  kDefault = 1u << 0,      // Enter presses it
  kCancel = 1u << 1,       // Esc presses it
  kHidden = 1u << 2,       // not visible when the window loads
  kMultiLine = 1u << 3,    // text box
  kReadOnly = 1u << 4,     // text box: only the program writes into it
  kVScroll = 1u << 5,      // text box: vertical scroll bar only
  kHandCursor = 1u << 6,   // the pointing-hand cursor while the mouse is over it
  kWrap = 1u << 7,         // label text wraps
  kBanner = 1u << 8,       // picture box showing the banner image, unscaled and clipped
  kAppIcon = 1u << 9,      // picture box showing the application icon
  kNoBorder = 1u << 10,    // picture box without a border
  kFlat = 1u << 11,        // progress bar in flat appearance
};

struct ControlRow {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string text;
  Rect rect;
  std::string container;  // name of the picture box or frame that holds it; empty: the window
  Font font;
  std::optional<Color> foreColor;
  std::optional<Color> backColor;
  std::string toolTip;
  int tabIndex = 0;
  unsigned flags = 0;
};

// A straight line drawn on the window (the about window's etched separator).
struct LineRow {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  Color color;
  int widthPixels = 1;
};

enum class Border { FixedSingle, FixedDialog };

struct FormTable {
  std::string name;  // "BEGIN_FRM"
  std::string caption;
  int clientWidth = 0;  // twips
  int clientHeight = 0;
  Border border = Border::FixedSingle;
  bool showInTaskbar = true;
  bool hasIcon = true;  // the application icon in the title bar
  bool closeBox = true;  // a title-bar close box (and system menu)
  bool modal = false;    // shown modally over its caller, never a main window
  std::vector<ControlRow> controls;
  std::vector<LineRow> lines;

  const ControlRow* Find(const std::string& controlName) const;
};

}  // namespace ui
