// The program's windows drawn with Qt and worked as a user works them: the navigation table,
// Enter and Esc, the about window, the scan options dialog, the local scan and its console.
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

// A modal window's button, pressed by the script.
std::function<void(QWidget*)> Press(const char* button) {
  return [button](QWidget* window) { qttest::ClickButton(window, button); };
}

// The console's lines with each time stamp shown as "<t>".
QStringList ConsoleLines(const ProgramFixture& p) {
  QStringList lines;
  const std::string console = p.Text("LOCALSCAN_FRM", "ScanConsole");
  for (const std::string& line : testsupport::SplitLines(testsupport::MaskTimes(console)))
    lines << QString::fromStdString(line);
  return lines;
}

const QString kStarted = QStringLiteral("<t> - A new scan has been started.");

// A program window whose load step runs but whose activation does nothing and whose buttons
// only note that they were pressed.
class PressRecorder final : public ui::Form {
 public:
  PressRecorder(std::unique_ptr<ui::Form> inner, QStringList& pressed)
      : inner_(std::move(inner)), pressed_(pressed) {}
  const ui::FormTable& Table() const override { return inner_->Table(); }
  void OnLoad(ui::Toolkit& tk) override { inner_->OnLoad(tk); }
  void OnClick(ui::Toolkit&, const std::string& control) override {
    pressed_ << QString::fromStdString(control);
  }

 private:
  std::unique_ptr<ui::Form> inner_;
  QStringList& pressed_;
};

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();
  void navigationTable();
  void closeBoxOfAnyMainWindowEndsTheProgram_data();
  void closeBoxOfAnyMainWindowEndsTheProgram();
  void exitEndsTheProgram();
  void focusEnterAndEscRightAfterOpening_data();
  void focusEnterAndEscRightAfterOpening();
  void enterOnTheHomeWindowOpensTheLocalScan();
  void aboutWindowShowsTheVersionAndClosesOnEsc();
  void optionsDialogRefusesNothingChosen();
  void optionsDialogCancelAndCloseBoxChangeNothing();
  void optionsDialogKeepsAChoiceUntilHomeIsShown();
  void consoleAcrossScansClearingAndATripHome();
  void openSavedDirectoryOpensTheSaveFolder();
};

void WindowsTest::cleanup() { QCOMPARE(qttest::LeftoverWindows(), QStringList()); }

void WindowsTest::navigationTable() {
  ProgramFixture p;
  QVERIFY(p.Start());
  QCOMPARE(p.Loaded(), QStringList{"BEGIN_FRM"});

  QVERIFY(p.Click("BEGIN_FRM", "Command2"));  // Scan this computer
  QCOMPARE(p.Loaded(), QStringList{"LOCALSCAN_FRM"});
  QVERIFY(p.Window("LOCALSCAN_FRM")->isVisible());
  QVERIFY(p.Click("LOCALSCAN_FRM", "Command4"));  // Menu
  QCOMPARE(p.Loaded(), QStringList{"BEGIN_FRM"});
  QVERIFY(p.Click("BEGIN_FRM", "Command3"));  // Scan other hard drives or directories
  QCOMPARE(p.Loaded(), QStringList{"OTHER_FRM"});
  QVERIFY(p.Click("OTHER_FRM", "Command3"));  // Home Menu
  QCOMPARE(p.Loaded(), QStringList{"BEGIN_FRM"});
  QVERIFY(!p.ended);

  // "?" on each main window shows the about window modally over it.
  const std::vector<std::pair<const char*, const char*>> abouts = {
      {"BEGIN_FRM", "Command1"}, {"LOCALSCAN_FRM", "Command1"}, {"OTHER_FRM", "Command4"}};
  for (const auto& [form, button] : abouts) {
    if (!p.toolkit->IsLoaded(form)) {
      p.toolkit->Unload(p.Loaded().first().toStdString());
      p.toolkit->Show(form);
    }
    QStringList whileOpen;
    ModalScript script;
    script.On("ABOUT_FRM", [&](QWidget* about) {
      whileOpen = p.Loaded();
      qttest::ClickButton(about, "cmdOK");
    });
    QVERIFY(p.Click(form, button));
    QCOMPARE(script.Pending(), 0);
    QCOMPARE(whileOpen, (QStringList{"ABOUT_FRM", form}));
    QCOMPARE(p.Loaded(), QStringList{form});
  }

  // The local scan window's two modal windows.
  QVERIFY(p.Click("OTHER_FRM", "Command3"));
  QVERIFY(p.Click("BEGIN_FRM", "Command2"));
  {
    ModalScript script;
    script.On("SCAN_OPTIONS", Press("Command2"));
    QVERIFY(p.Click("LOCALSCAN_FRM", "Command3"));
    QCOMPARE(script.Pending(), 0);
  }
  QVERIFY(p.Click("LOCALSCAN_FRM", "ScanButton"));  // the progress window runs and closes
  QCOMPARE(p.Loaded(), QStringList{"LOCALSCAN_FRM"});
  QVERIFY(ConsoleLines(p).size() > 1);
  QVERIFY(!p.ended);
}

void WindowsTest::closeBoxOfAnyMainWindowEndsTheProgram_data() {
  QTest::addColumn<QString>("button");  // the home window's button that leads there
  QTest::addColumn<QString>("form");
  QTest::newRow("home") << "" << "BEGIN_FRM";
  QTest::newRow("local scan") << "Command2" << "LOCALSCAN_FRM";
  QTest::newRow("other drives") << "Command3" << "OTHER_FRM";
}

void WindowsTest::closeBoxOfAnyMainWindowEndsTheProgram() {
  QFETCH(QString, button);
  QFETCH(QString, form);
  ProgramFixture p;
  QVERIFY(p.Start());
  if (!button.isEmpty()) QVERIFY(p.Click("BEGIN_FRM", button.toLatin1().constData()));
  QWidget* window = p.Window(form.toLatin1().constData());
  QVERIFY(window);
  window->close();
  qttest::Settle();
  QVERIFY(p.ended);
  QCOMPARE(p.Loaded(), QStringList());
}

void WindowsTest::exitEndsTheProgram() {
  ProgramFixture p;
  QVERIFY(p.Start());
  QVERIFY(qttest::ClickButton(p.Window("BEGIN_FRM"), "Command4"));
  QVERIFY(p.ended);  // at once, with no question
  QCOMPARE(p.Loaded(), QStringList());
}

void WindowsTest::focusEnterAndEscRightAfterOpening_data() {
  QTest::addColumn<QString>("form");
  QTest::addColumn<QString>("focus");
  QTest::addColumn<QStringList>("pressed");  // by Enter, then by Esc
  QTest::newRow("home") << "BEGIN_FRM" << "Picture1" << QStringList{"Command2"};
  QTest::newRow("local scan") << "LOCALSCAN_FRM" << "Picture1" << QStringList{};
  QTest::newRow("progress") << "CHECK_FRM" << "Command1" << QStringList{"Command1", "Command1"};
  QTest::newRow("options") << "SCAN_OPTIONS" << "CheckV3Inventories" << QStringList{};
  QTest::newRow("other drives") << "OTHER_FRM" << "Command1" << QStringList{"Command1"};
  QTest::newRow("about") << "ABOUT_FRM" << "cmdOK" << QStringList{"cmdOK", "cmdOK"};
}

void WindowsTest::focusEnterAndEscRightAfterOpening() {
  QFETCH(QString, form);
  QFETCH(QString, focus);
  QFETCH(QStringList, pressed);
  testsupport::WindowsMachine machine;
  QStringList presses;
  QtUi::QtToolkit tk(
      [&](const std::string& name) -> std::unique_ptr<ui::Form> {
        return std::make_unique<PressRecorder>(ui::MakeForm(name), presses);
      },
      [] {});
  tk.Show(form.toStdString());
  QWidget* window = tk.Window(form.toStdString());
  QVERIFY(window && QTest::qWaitForWindowActive(window));
  QVERIFY(window->focusWidget());
  QCOMPARE(window->focusWidget()->objectName(), focus);
  qttest::PressKey(window, Qt::Key_Return);
  qttest::PressKey(window, Qt::Key_Escape);
  QCOMPARE(presses, pressed);
  tk.Unload(form.toStdString());
}

void WindowsTest::enterOnTheHomeWindowOpensTheLocalScan() {
  ProgramFixture p;
  QWidget* home = p.Start();
  QVERIFY(home);
  qttest::PressKey(home, Qt::Key_Return);
  qttest::Settle();
  QCOMPARE(p.Loaded(), QStringList{"LOCALSCAN_FRM"});
  QVERIFY(!p.ended);
  // A second Enter, on the local scan window, starts no scan.
  QWidget* local = p.Window("LOCALSCAN_FRM");
  QVERIFY(QTest::qWaitForWindowActive(local));
  qttest::PressKey(local, Qt::Key_Return);
  qttest::Settle();
  QCOMPARE(p.Loaded(), QStringList{"LOCALSCAN_FRM"});
  QCOMPARE(p.Text("LOCALSCAN_FRM", "ScanConsole"), std::string());
  QVERIFY(!p.machine.tree.Exists("c/CVL_SAVE"));
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
