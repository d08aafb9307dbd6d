#include "ui/qt/Images.h"

#include <QBitmap>
#include <QImage>
#include <QString>

// The resources live in a static library; naming them here keeps the linker from dropping
// them. Q_INIT_RESOURCE must be used outside any namespace.
static void EnsureImageResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(images);
    return true;
  }();
  (void)done;
}

namespace QtImages {

QPixmap Banner() {
  EnsureImageResources();
  return QPixmap(QStringLiteral(":/quillfen/banner.gif"));
}

QPixmap AppIconPixmap(int size) {
  EnsureImageResources();
  return QPixmap(QStringLiteral(":/quillfen/quillfen-%1.png").arg(size));
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(AppIconPixmap(size));
  return icon;
}

QCursor HandCursor() {
  EnsureImageResources();
  // A true two-colour cursor with a mask: opaque black pixels set the bitmap, every opaque
  // pixel sets the mask, transparent ones leave the screen as it is.
  const QImage image = QImage(QStringLiteral(":/quillfen/hand-cursor.xpm"))
                           .convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) return QCursor(Qt::PointingHandCursor);
  QImage bits(image.size(), QImage::Format_MonoLSB);
  QImage mask(image.size(), QImage::Format_MonoLSB);
  // Index 1 is black, as QBitmap's color1.
  const QList<QRgb> blackOnWhite{qRgb(255, 255, 255), qRgb(0, 0, 0)};
  bits.setColorTable(blackOnWhite);
  mask.setColorTable(blackOnWhite);
  bits.fill(0);
  mask.fill(0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) < 128) continue;
      mask.setPixel(x, y, 1);
      if (qGray(pixel) < 128) bits.setPixel(x, y, 1);
    }
  }
  return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), kHandHotSpot.x(),
                 kHandHotSpot.y());
}

}  // namespace QtImages
