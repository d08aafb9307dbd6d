// The program's windows drawn with Qt and worked as a user works them: Exit, the about window,
// the scan options dialog, the local scan and its console. The navigation and keyboard table
// is tst_navigation's.
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

#include "ModalScript.h"
#include "ProgramFixture.h"
#include "QtTestSupport.h"
#include "scan/ScanOptions.h"
#include "support/WindowsMachine.h"
#include "ui/Form.h"
#include "ui/qt/QtDialogs.h"

using qttest::ControlOf;
using qttest::ModalScript;
using qttest::ProgramFixture;

namespace {

// The console's lines with each time stamp shown as "<t>".
QStringList ConsoleLines(const ProgramFixture& p) {
  QStringList lines;
  const std::string console = p.Text("LOCALSCAN_FRM", "ScanConsole");
  for (const std::string& line : testsupport::SplitLines(testsupport::MaskTimes(console)))
    lines << QString::fromStdString(line);
  return lines;
}

const QString kStarted = QStringLiteral("<t> - A new scan has been started.");

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();
  void exitEndsTheProgramAtOnce();
  void aboutWindowShowsTheVersionAndClosesOnEsc();
  void optionsDialogRefusesNothingChosen();
  void optionsDialogCancelAndCloseBoxChangeNothing();
  void optionsDialogKeepsAChoiceUntilHomeIsShown();
  void consoleAcrossScansClearingAndATripHome();
  void openSavedDirectoryOpensTheSaveFolder();
};

void WindowsTest::cleanup() { QCOMPARE(qttest::LeftoverWindows(), QStringList()); }

void WindowsTest::exitEndsTheProgramAtOnce() {
  ProgramFixture p;
  QVERIFY(p.Start());
  QVERIFY(qttest::ClickButton(p.Window("BEGIN_FRM"), "Command4"));
  QVERIFY(p.ended);  // at once, with no question
  QCOMPARE(p.Loaded(), QStringList());
}

void WindowsTest::aboutWindowShowsTheVersionAndClosesOnEsc() {
  ProgramFixture p;
  QVERIFY(p.Start());
  QString version;
  ModalScript script;
  script.On("ABOUT_FRM", [&](QWidget* about) {
    version = ControlOf<QLabel>(about, "lblVersion")->text();
    qttest::PressKey(about, Qt::Key_Escape);
  });
  script.On("ABOUT_FRM", [&](QWidget* about) { qttest::PressKey(about, Qt::Key_Return); });
  script.On("ABOUT_FRM", [&](QWidget* about) { about->close(); });
  for (int i = 0; i < 3; ++i) QVERIFY(p.Click("BEGIN_FRM", "Command1"));
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(script.Unexpected(), QStringList());
  QCOMPARE(version, QStringLiteral("Version 1.0.5"));
  QCOMPARE(p.Loaded(), QStringList{"BEGIN_FRM"});
}

void WindowsTest::optionsDialogRefusesNothingChosen() {
  ProgramFixture p;
  QtUi::QtDialogs dialogs;
  UserDialogs::Scope useDialogs(dialogs);
  QVERIFY(p.Start());
  QVERIFY(p.Click("BEGIN_FRM", "Command2"));
  QString text, title;
  int icon = 0;
  bool stillOpen = false;
  ModalScript script;
  script.On("SCAN_OPTIONS", [&](QWidget* options) {
    for (const char* box : {"CheckV3Inventories", "CheckV4Inventories", "CheckOUInventories"})
      ControlOf<QCheckBox>(options, box)->click();
    qttest::ClickButton(options, "Command1");  // OK: refused with a box
  });
  script.On("QMessageBox", qttest::AnswerBox(QMessageBox::Ok, &text, &title, &icon));
  script.On("SCAN_OPTIONS", [&](QWidget* options) {
    stillOpen = options->isVisible();
    qttest::ClickButton(options, "Command2");  // Cancel
  });
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command3"));
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(text, QStringLiteral("You must select at least one option to start a scan."));
  QCOMPARE(title, QStringLiteral("Quillfen"));
  QCOMPARE(icon, int(QMessageBox::Critical));
  QVERIFY(stillOpen);
  QVERIFY(ScanOptions::ScanV3Inventories && ScanOptions::ScanV4Inventories &&
          ScanOptions::ScanOUInventories);
}

void WindowsTest::optionsDialogCancelAndCloseBoxChangeNothing() {
  ProgramFixture p;
  QVERIFY(p.Start());
  QVERIFY(p.Click("BEGIN_FRM", "Command2"));
  ModalScript script;
  script.On("SCAN_OPTIONS", [](QWidget* options) {
    ControlOf<QCheckBox>(options, "CheckV4Inventories")->click();
    qttest::ClickButton(options, "Command2");
  });
  script.On("SCAN_OPTIONS", [](QWidget* options) {
    ControlOf<QCheckBox>(options, "CheckOUInventories")->click();
    options->close();
  });
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command3"));
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command3"));
  QCOMPARE(script.Pending(), 0);
  QVERIFY(ScanOptions::ScanV3Inventories && ScanOptions::ScanV4Inventories &&
          ScanOptions::ScanOUInventories);
  QCOMPARE(p.Loaded(), QStringList{"LOCALSCAN_FRM"});
}

void WindowsTest::optionsDialogKeepsAChoiceUntilHomeIsShown() {
  ProgramFixture p;
  QVERIFY(p.Start());
  QVERIFY(p.Click("BEGIN_FRM", "Command2"));
  QList<bool> shown;
  const auto record = [&](QWidget* options) {
    for (const char* box : {"CheckV3Inventories", "CheckV4Inventories", "CheckOUInventories"})
      shown << ControlOf<QCheckBox>(options, box)->isChecked();
  };
  ModalScript script;
  script.On("SCAN_OPTIONS", [&](QWidget* options) {
    record(options);
    ControlOf<QCheckBox>(options, "CheckV3Inventories")->click();
    ControlOf<QCheckBox>(options, "CheckOUInventories")->click();
    qttest::ClickButton(options, "Command1");
  });
  script.On("SCAN_OPTIONS", [&](QWidget* options) {
    record(options);
    qttest::ClickButton(options, "Command2");
  });
  script.On("SCAN_OPTIONS", [&](QWidget* options) {
    record(options);
    qttest::ClickButton(options, "Command2");
  });
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command3"));
  QVERIFY(!ScanOptions::ScanV3Inventories && ScanOptions::ScanV4Inventories &&
          !ScanOptions::ScanOUInventories);
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command3"));
  // Home and back: the choice is forgotten.
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command4"));
  QVERIFY(p.Click("BEGIN_FRM", "Command2"));
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command3"));
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(shown, (QList<bool>{true, true, true, false, true, false, true, true, true}));
}

void WindowsTest::consoleAcrossScansClearingAndATripHome() {
  ProgramFixture p;
  testsupport::FakeDialogs& dialogs = p.machine.dialogs;
  p.InstallOldWindows();
  QVERIFY(p.Start());
  QVERIFY(p.Click("BEGIN_FRM", "Command2"));
  ui::Control& openDir = p.toolkit->Get("LOCALSCAN_FRM", "OpenDirBtn");
  QVERIFY(!openDir.Visible());

  QVERIFY(p.Click("LOCALSCAN_FRM", "ScanButton"));
  const QStringList first = ConsoleLines(p);
  QCOMPARE(first.first(), kStarted);
  QCOMPARE(first.last(), QStringLiteral("<t> - Scan ended. Saved files can be found in S:\\CVL_SAVE."));
  QVERIFY(first.contains(QStringLiteral("<t> - File found: 5.w98")));
  QVERIFY(openDir.Visible());
  QVERIFY(p.machine.tree.Exists("c/CVL_SAVE/5.w98"));
  QVERIFY(p.machine.tree.Exists("c/CVL_SAVE/README.TXT"));
  // The console shows its last line.
  auto* console = ControlOf<QPlainTextEdit>(p.Window("LOCALSCAN_FRM"), "ScanConsole");
  QVERIFY(console->viewport()->rect().contains(console->cursorRect()));

  // A second scan: an empty line, then the start line.
  QVERIFY(p.Click("LOCALSCAN_FRM", "ScanButton"));
  const QStringList second = ConsoleLines(p);
  QCOMPARE(second.mid(0, first.size()), first);
  QCOMPARE(second.mid(first.size(), 2), (QStringList{"", kStarted}));
  QCOMPARE(second.count(kStarted), 2);

  // Cleared, then a scan that finds nothing: it starts like the first; the button stays.
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command2"));
  QCOMPARE(p.Text("LOCALSCAN_FRM", "ScanConsole"), std::string());
  QVERIFY(openDir.Visible());
  p.machine.tree.File("c/Program Files/WindowsUpdate/5.w98", "x", 2023);
  std::filesystem::remove(p.machine.tree.Path("c/Program Files/WindowsUpdate/V4/iuhist.xml"));
  std::filesystem::remove(p.machine.tree.Path("c/WINDOWS/Windows Update.log"));
  std::filesystem::remove_all(p.machine.tree.Path("c/CVL_SAVE"));
  QVERIFY(p.Click("LOCALSCAN_FRM", "ScanButton"));
  const QStringList third = ConsoleLines(p);
  QCOMPARE(third.first(), kStarted);
  QCOMPARE(third.last(), QStringLiteral("<t> - Scan ended. No corresponding files have been found."));
  QVERIFY(openDir.Visible());

  // Home and back: an empty console and a hidden button.
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command4"));
  QVERIFY(p.Click("BEGIN_FRM", "Command2"));
  QCOMPARE(p.Text("LOCALSCAN_FRM", "ScanConsole"), std::string());
  QVERIFY(!p.toolkit->Get("LOCALSCAN_FRM", "OpenDirBtn").Visible());
  QVERIFY(dialogs.boxes.empty());
}

void WindowsTest::openSavedDirectoryOpensTheSaveFolder() {
  ProgramFixture p;
  testsupport::FakeDialogs& dialogs = p.machine.dialogs;
  p.InstallOldWindows();
  QVERIFY(p.Start());
  QVERIFY(p.Click("BEGIN_FRM", "Command2"));
  QVERIFY(!p.Click("LOCALSCAN_FRM", "OpenDirBtn"));  // hidden until a scan saved files
  QVERIFY(p.Click("LOCALSCAN_FRM", "ScanButton"));
  QVERIFY(p.Click("LOCALSCAN_FRM", "OpenDirBtn"));
  QCOMPARE(dialogs.opened, (std::vector<std::string>{"S:\\CVL_SAVE"}));
}

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
