#pragma once
// The program's built-in pictures: the banner of the main windows, the application icon and
// the pointing-hand cursor of the command buttons.
#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QPoint>

namespace QtImages {

// The tip of the index finger.
inline constexpr QPoint kHandHotSpot{5, 0};

QPixmap Banner();                   // 438 x 81
QIcon AppIcon();                    // 16, 32 and 48 pixels
QPixmap AppIconPixmap(int size);    // one of those sizes
QCursor HandCursor();               // 32 x 32 monochrome

}  // namespace QtImages
