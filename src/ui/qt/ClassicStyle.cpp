#include "ui/qt/ClassicStyle.h"

#include <QFontInfo>
#include <QPainter>
#include <QStyleOption>

#include "ui/qt/Fonts.h"

namespace QtUi {
namespace {

constexpr int kCheckSquare = 13;  // pixels, edges included

// The tick of a checked box, 7 x 7 pixels, drawn from the square's inner corner at (3, 3).
constexpr const char* kTick[] = {
    "......#",
    ".....##",
    "#...###",
    "##.###.",
    "#####..",
    ".###...",
    "..#....",
};

// A 13-pixel check box square: a sunken edge two pixels deep (grey and dark grey above and
// left, white and the face colour below and right) round a white well holding the tick.
void DrawCheckSquare(const QStyleOption& option, QPainter& painter) {
  const QRect r(option.rect.x(), option.rect.y() + (option.rect.height() - kCheckSquare) / 2,
                kCheckSquare, kCheckSquare);
  const bool enabled = option.state & QStyle::State_Enabled;
  const QColor face = option.palette.color(QPalette::Button);
  const int x = r.x(), y = r.y(), last = kCheckSquare - 1;
  painter.save();
  painter.fillRect(r, Qt::white);                               // outer edge, below and right
  painter.fillRect(x, y, last, 1, QColor(128, 128, 128));       // outer edge, above
  painter.fillRect(x, y, 1, last, QColor(128, 128, 128));       // outer edge, left
  painter.fillRect(x + 1, y + last - 1, last - 1, 1, face);     // inner edge, below
  painter.fillRect(x + last - 1, y + 1, 1, last - 1, face);     // inner edge, right
  painter.fillRect(x + 1, y + 1, last - 2, 1, QColor(64, 64, 64));  // inner edge, above
  painter.fillRect(x + 1, y + 1, 1, last - 2, QColor(64, 64, 64));  // inner edge, left
  // The well is the face colour when the box is disabled or pressed.
  const bool sunken = option.state & QStyle::State_Sunken;
  painter.fillRect(x + 2, y + 2, last - 3, last - 3, enabled && !sunken ? QColor(Qt::white) : face);
  if (option.state & (QStyle::State_On | QStyle::State_NoChange)) {
    const QColor tick = enabled && !(option.state & QStyle::State_NoChange)
                            ? option.palette.color(QPalette::Text)
                            : QColor(128, 128, 128);
    for (int row = 0; row < 7; ++row)
      for (int column = 0; column < 7; ++column)
        if (kTick[row][column] == '#') painter.fillRect(x + 3 + column, y + 3 + row, 1, 1, tick);
  }
  painter.restore();
}

}  // namespace

void ClassicStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                const QPalette& palette, bool enabled, const QString& text,
                                QPalette::ColorRole textRole) const {
  QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
  const QFont& font = painter->font();
  if (font.bold() && QtFonts::IsBitmapFace(QFontInfo(font).family()))
    QProxyStyle::drawItemText(painter, rect.translated(1, 0), flags, palette, enabled, text, textRole);
}

int ClassicStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
  if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight) return kCheckSquare;
  return QProxyStyle::pixelMetric(metric, option, widget);
}

void ClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  if (element == PE_IndicatorCheckBox && option && painter) return DrawCheckSquare(*option, *painter);
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int ClassicStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
  if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace QtUi
