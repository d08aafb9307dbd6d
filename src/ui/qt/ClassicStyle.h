#pragma once
// The program's style: Qt's own, with the details of the original platform's classic look
// where they differ.
// - Bold text in the bitmap MS Sans Serif face: a bitmap face has no bold strike and Qt does
//   not thicken bitmap glyphs, so bold text in it is drawn a second time one pixel to the
//   right, as the original platform makes bold from its bitmap faces. The other half of that
//   bold, each glyph one pixel wider, is the font's letter spacing (QtFonts::ToQFont).
// - Check boxes have a 13-pixel square with a sunken edge, so the 13-pixel-high boxes of the
//   tables show all four of its edges.
// - Buttons of message boxes and dialogs carry text only, whatever the desktop's theme asks.
#include <QProxyStyle>

namespace QtUi {

class ClassicStyle final : public QProxyStyle {
  Q_OBJECT

 public:
  using QProxyStyle::QProxyStyle;
  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                    bool enabled, const QString& text,
                    QPalette::ColorRole textRole = QPalette::NoRole) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                const QWidget* widget = nullptr, QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace QtUi
