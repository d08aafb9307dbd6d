#include "ui/qt/ProgramLook.h"

#include <QApplication>

#include "ui/FormTable.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ClassicStyle.h"

namespace QtUi {

void UseProgramLook() {
  if (qobject_cast<ClassicStyle*>(QApplication::style())) return;
  QApplication::setStyle(new ClassicStyle(QApplication::style()->name()));
  QApplication::setFont(QtFonts::ToQFont(ui::Font{}));
}

}  // namespace QtUi
