#pragma once
// Bold text in the bitmap MS Sans Serif face. A bitmap face has no bold strike and Qt
// does not thicken bitmap glyphs, so bold text in it is drawn a second time one pixel to the
// right, as the original platform makes bold from its bitmap faces.
#include <QProxyStyle>

namespace QtUi {

class RasterBoldStyle final : public QProxyStyle {
  Q_OBJECT

 public:
  using QProxyStyle::QProxyStyle;
  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                    bool enabled, const QString& text,
                    QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

}  // namespace QtUi
