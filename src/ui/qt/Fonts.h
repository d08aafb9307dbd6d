#pragma once
// The fonts the window tables name, as Qt fonts on this machine.
#include <QFont>
#include <QString>

#include "ui/FormTable.h"

namespace QtFonts {

// "MS Sans Serif" comes from the bitmap face that Debian's fonts-wine ships, loaded as an
// application font; "Arial" becomes the metric-compatible Liberation Sans. Sizes are the
// table's points at 96 dots per inch, the scale all window positions are laid out at.
QFont ToQFont(const ui::Font& font);

// Whether a family is the bitmap MS Sans Serif face loaded here (it has no bold of its own).
bool IsBitmapFace(const QString& family);

// The family that stands in for a face name of the tables.
QString FamilyFor(const std::string& face);

}  // namespace QtFonts
