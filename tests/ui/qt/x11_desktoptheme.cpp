// The program's boxes on a real X display, where Qt follows the desktop's theme: a theme that
// asks for icons on dialog buttons (Qt's own does, under X) must not put them on the program's
// message boxes. Run under Xvfb. Where there is no X display or the theme asks for no icons it
// would check nothing, and so it fails there rather than pass.
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProxyStyle>
#include <QTest>

#include "ModalScript.h"
#include "QtTestSupport.h"
#include "ui/qt/ProgramLook.h"
#include "ui/qt/QtDialogs.h"

class DesktopThemeTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { QCOMPARE(qttest::LeftoverWindows(), QStringList()); }
  void messageBoxButtonsCarryTextOnly();
};

void DesktopThemeTest::messageBoxButtonsCarryTextOnly() {
  QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
  QtUi::UseProgramLook();
  auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
  QVERIFY(style);
  QVERIFY2(style->baseStyle()->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons),
           "this desktop's theme puts no icons on dialog buttons: there is nothing to check");
  QtUi::QtDialogs dialogs;
  QStringList buttons;
  qttest::ModalScript script;
  script.On("QMessageBox", [&](QWidget* widget) {
    for (QAbstractButton* button : qobject_cast<QMessageBox*>(widget)->buttons())
      buttons << button->text() + (button->icon().isNull() ? "" : " with an icon");
    qttest::AnswerBox(QMessageBox::Ok)(widget);
  });
  dialogs.Message("Go on?", "Quillfen", UserDialogs::Icon::Warning, UserDialogs::Buttons::OkCancel,
                  UserDialogs::Question::None);
  QCOMPARE(script.Pending(), 0);
  buttons.sort();
  QCOMPARE(buttons, (QStringList{"Cancel", "OK"}));
}

QTEST_MAIN(DesktopThemeTest)
#include "x11_desktoptheme.moc"
