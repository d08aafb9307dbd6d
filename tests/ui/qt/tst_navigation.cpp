// The navigation and keyboard table (tests/support/NavigationTable.h) on the Qt windows,
// worked as a user works them: clicks, the close box and keys. The windows open after each
// step and the program's end; a modal window keeping its owner from taking input; each
// window's focus and keys when it opens.
#include <QApplication>
#include <QTest>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "ModalScript.h"
#include "ProgramFixture.h"
#include "QtTestSupport.h"
#include "support/NavigationTable.h"
#include "support/StillForms.h"
#include "support/WindowsMachine.h"
#include "ui/Form.h"
#include "ui/FormNames.h"

using namespace testsupport::navigation;
using qttest::ProgramFixture;

namespace {

QStringList Listed(const Names& names) {
  QStringList list;
  for (const std::string& name : names) list << QString::fromStdString(name);
  return list;
}

QStringList Open(const ProgramFixture& p) {
  Names open;
  for (const QString& form : p.Loaded()) open.push_back(form.toStdString());
  return Listed(InFormOrder(open));
}

QString Describe(const Act& act) {
  std::ostringstream text;
  text << act;
  return QString::fromStdString(text.str());
}

// The control of a window that has the focus, or holds the widget that has it.
QString FocusedControl(QWidget* window) {
  static std::map<std::string, std::unique_ptr<ui::Form>> forms;
  const std::string name = window->objectName().toStdString();
  auto& form = forms[name];
  if (!form) form = ui::MakeForm(name);
  for (QWidget* widget = window->focusWidget(); form && widget && widget != window;
       widget = widget->parentWidget())
    if (form->Table().Find(widget->objectName().toStdString())) return widget->objectName();
  return {};
}

int QtKey(Key key) {
  return key == Key::Enter ? Qt::Key_Return : key == Key::Escape ? Qt::Key_Escape : Qt::Key_Tab;
}

// Does what a user does and lets the events it sets off run; false when there was no such
// window or button, or the user could not reach it.
bool Do(ProgramFixture& p, const Act& act) {
  QWidget* window = p.Window(act.form.c_str());
  switch (act.kind) {
    case Act::Kind::Click:
      return p.Click(act.form.c_str(), act.button.c_str());
    case Act::Kind::CloseBox:
      if (!window) return false;
      window->close();
      break;
    case Act::Kind::Key:
      // Keys go to the active window's focused control.
      if (!window || !QTest::qWaitForWindowActive(window)) return false;
      qttest::PressKey(window, QtKey(act.key));
      break;
  }
  qttest::Settle();
  return true;
}

}  // namespace

class NavigationTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { QCOMPARE(qttest::LeftoverWindows(), QStringList()); }
  void leadsWhereTheTableSays_data();
  void leadsWhereTheTableSays();
  void modalWindowsKeepTheirOwnerFromTakingInput_data();
  void modalWindowsKeepTheirOwnerFromTakingInput();
  void focusEnterEscAndTabOnOpening_data();
  void focusEnterEscAndTabOnOpening();
};

void NavigationTest::leadsWhereTheTableSays_data() {
  QTest::addColumn<int>("row");
  for (std::size_t i = 0; i < Steps().size(); ++i)
    QTest::newRow(Steps()[i].name.c_str()) << static_cast<int>(i);
}

void NavigationTest::leadsWhereTheTableSays() {
  QFETCH(int, row);
  const Step& step = Steps()[static_cast<std::size_t>(row)];
  ProgramFixture p;
  QVERIFY(p.Start());
  for (const Act& act : step.reach) QVERIFY2(Do(p, act), qPrintable(Describe(act)));
  if (step.act.kind == Act::Kind::Key) {
    QWidget* window = p.Window(step.act.form.c_str());
    QVERIFY(window && QTest::qWaitForWindowActive(window));
    QCOMPARE(FocusedControl(window), QString::fromStdString(step.focused));
  }
  const bool done = Do(p, step.act);
  QVERIFY2(done, qPrintable(Describe(step.act)));
  QCOMPARE(Open(p), Listed(step.open));
  QCOMPARE(p.ended, step.open.empty());
  if (!step.open.empty()) QVERIFY(p.Window(step.open.front().c_str())->isVisible());
  if (p.toolkit->IsLoaded(ui::kLocalScanForm))
    QCOMPARE(!p.Text(ui::kLocalScanForm, ui::kScanConsole).empty(), step.scanned);
}

void NavigationTest::modalWindowsKeepTheirOwnerFromTakingInput_data() {
  QTest::addColumn<int>("row");
  for (std::size_t i = 0; i < ModalSteps().size(); ++i)
    QTest::newRow(ModalSteps()[i].name.c_str()) << static_cast<int>(i);
}

void NavigationTest::modalWindowsKeepTheirOwnerFromTakingInput() {
  QFETCH(int, row);
  const ModalStep& step = ModalSteps()[static_cast<std::size_t>(row)];
  const std::string owner = step.opens.form;
  ProgramFixture p;
  QVERIFY(p.Start());
  for (const Act& act : step.reach) QVERIFY2(Do(p, act), qPrintable(Describe(act)));
  QStringList whileOpen;
  QString focus;
  bool refused = false, closed = false;
  qttest::ModalScript script;
  script.On(QString::fromStdString(step.modal), [&](QWidget* modal) {
    whileOpen = Open(p);
    focus = FocusedControl(modal);
    refused = QApplication::activeModalWidget() == modal && !Do(p, step.refused);
    closed = Do(p, step.closes);
  });
  QVERIFY(Do(p, step.opens));
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(script.Unexpected(), QStringList());
  QCOMPARE(whileOpen, Listed(InFormOrder({owner, step.modal})));
  QCOMPARE(focus, QString::fromStdString(KeysOf(step.modal).firstFocus));
  QVERIFY2(refused, "the window under a modal one takes no input");
  QVERIFY(closed);
  QCOMPARE(Open(p), Listed({owner}));
  QVERIFY2(Do(p, step.refused), "usable again once the modal window is gone");
  QVERIFY(!p.toolkit->IsLoaded(owner));
}

void NavigationTest::focusEnterEscAndTabOnOpening_data() {
  QTest::addColumn<int>("row");
  for (std::size_t i = 0; i < KeyRows().size(); ++i)
    QTest::newRow(KeyRows()[i].form.c_str()) << static_cast<int>(i);
}

void NavigationTest::focusEnterEscAndTabOnOpening() {
  QFETCH(int, row);
  const Keys& keys = KeyRows()[static_cast<std::size_t>(row)];
  testsupport::WindowsMachine machine;
  testsupport::PressLog presses;
  QtUi::QtToolkit tk(testsupport::StillForms(&presses), [] {});
  tk.Show(keys.form);
  QWidget* window = tk.Window(keys.form);
  QVERIFY(window && QTest::qWaitForWindowActive(window));
  QCOMPARE(FocusedControl(window), QString::fromStdString(keys.firstFocus));
  qttest::PressKey(window, Qt::Key_Return);
  QCOMPARE(Listed(presses.Take()), Listed(keys.enter));
  qttest::PressKey(window, Qt::Key_Escape);
  QCOMPARE(Listed(presses.Take()), Listed(keys.escape));
  QStringList visited;
  for (std::size_t i = 0; i < keys.tabs.size(); ++i) {
    qttest::PressKey(window, Qt::Key_Tab);
    visited << FocusedControl(window);
  }
  QCOMPARE(visited, Listed(keys.tabs));
  QCOMPARE(Listed(presses.Take()), QStringList());
  tk.Unload(keys.form);
}

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
