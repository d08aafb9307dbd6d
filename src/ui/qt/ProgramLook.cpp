#include "ui/qt/ProgramLook.h"

#include <QApplication>

#include "ui/FormTable.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/RasterBoldStyle.h"

namespace QtUi {

void UseProgramLook() {
  if (qobject_cast<RasterBoldStyle*>(QApplication::style())) return;
  QApplication::setStyle(new RasterBoldStyle(QApplication::style()->name()));
  QApplication::setFont(QtFonts::ToQFont(ui::Font{}));
}

}  // namespace QtUi
