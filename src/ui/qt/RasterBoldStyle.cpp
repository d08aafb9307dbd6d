#include "ui/qt/RasterBoldStyle.h"

#include <QFontInfo>
#include <QPainter>

#include "ui/qt/Fonts.h"

namespace QtUi {

void RasterBoldStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                   const QPalette& palette, bool enabled, const QString& text,
                                   QPalette::ColorRole textRole) const {
  QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
  const QFont& font = painter->font();
  if (font.bold() && QtFonts::IsBitmapFace(QFontInfo(font).family()))
    QProxyStyle::drawItemText(painter, rect.translated(1, 0), flags, palette, enabled, text, textRole);
}

}  // namespace QtUi
