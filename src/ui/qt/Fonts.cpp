#include "ui/qt/Fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

namespace QtFonts {
namespace {

constexpr const char* kSansSerifFile = "/usr/share/wine/fonts/ms_sans_serif.ttf";

// The family of the loaded MS Sans Serif file, or empty when the file is missing (the
// default sans face then stands in).
QString LoadedSansSerifFamily() {
  static const QString family = [] {
    const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(kSansSerifFile));
    if (id < 0) return QString();
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
  }();
  return family;
}

}  // namespace

bool IsBitmapFace(const QString& family) {
  const QString loaded = LoadedSansSerifFamily();
  return !loaded.isEmpty() && family == loaded;
}

QString FamilyFor(const std::string& face) {
  if (face == "MS Sans Serif") {
    const QString loaded = LoadedSansSerifFamily();
    return loaded.isEmpty() ? QStringLiteral("Liberation Sans") : loaded;
  }
  if (face == "Arial") return QStringLiteral("Liberation Sans");
  return QString::fromStdString(face);
}

QFont ToQFont(const ui::Font& font) {
  QFont result(FamilyFor(font.face));
  // Pixels, not points: the windows are laid out in pixels at 96 dots per inch, and the
  // text must keep its size against them whatever the screen's own resolution.
  result.setPixelSize(static_cast<int>(std::lround(font.points * 96.0 / 72.0)));
  result.setBold(font.bold);
  // The bitmap face has no bold: the original platform makes it by drawing each glyph twice,
  // a pixel apart, and widening each glyph by that pixel so that letters never touch. The
  // widening is done here, so every measure of the text knows it; ClassicStyle draws the
  // second stroke.
  if (font.bold && IsBitmapFace(result.family())) result.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  return result;
}

}  // namespace QtFonts
