#include "QtTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

namespace qttest {

bool ClickButton(QWidget* window, const char* name) {
  auto* button = ControlOf<QAbstractButton>(window, name);
  if (!button || !button->isVisible() || !button->isEnabled()) return false;
  // QTest delivers straight to the widget; a real click on a window under a modal one
  // never arrives.
  QWidget* modal = QApplication::activeModalWidget();
  if (modal && modal != button->window()) return false;
  QTest::mouseClick(button, Qt::LeftButton);
  return true;
}

void PressKey(QWidget* window, int key) {
  QWidget* target = window->focusWidget() ? window->focusWidget() : window;
  QTest::keyClick(target, static_cast<Qt::Key>(key));
}

void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

QStringList LeftoverWindows() {
  Settle();
  QStringList names;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    // Tool tips and popups belong to the controls that own them.
    if (widget->windowType() == Qt::ToolTip || widget->windowType() == Qt::Popup) continue;
    if (widget->parentWidget()) continue;
    names << QStringLiteral("%1 %2").arg(QString::fromLatin1(widget->metaObject()->className()),
                                         widget->objectName());
  }
  return names;
}

}  // namespace qttest
