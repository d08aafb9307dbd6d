// Shows every window of the program and saves a picture of each into the folder given as the
// only argument. Run under a real display (scripts/screenshots.sh starts it under Xvfb) with
// the demo machine's environment, so the local scan has something to find.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "QtTestSupport.h"
#include "support/StillForms.h"
#include "system/UserDialogs.h"
#include "ui/Form.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/QtToolkit.h"

namespace {

bool Save(QWidget* window, const QString& folder, const QString& name) {
  if (!window) return false;
  if (!QTest::qWaitForWindowExposed(window)) return false;
  QTest::qWait(150);  // let the last paints land
  const QString path = QDir(folder).filePath(name + ".png");
  const bool saved = window->grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillfen"));
  QApplication::setQuitOnLastWindowClosed(false);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  QtUi::QtDialogs dialogs;
  UserDialogs::Scope useDialogs(dialogs);
  bool ok = true;

  // The main windows as a user meets them, the local scan after one scan.
  QtUi::QtToolkit program(ui::MakeForm, [] {});
  program.Show("BEGIN_FRM");
  ok &= Save(program.Window("BEGIN_FRM"), folder, "home");
  ok &= qttest::ClickButton(program.Window("BEGIN_FRM"), "Command2");
  ok &= Save(program.Window("LOCALSCAN_FRM"), folder, "local-scan");
  ok &= qttest::ClickButton(program.Window("LOCALSCAN_FRM"), "ScanButton");
  ok &= Save(program.Window("LOCALSCAN_FRM"), folder, "local-scan-after-scan");
  ok &= qttest::ClickButton(program.Window("LOCALSCAN_FRM"), "Command4");
  ok &= qttest::ClickButton(program.Window("BEGIN_FRM"), "Command3");
  ok &= Save(program.Window("OTHER_FRM"), folder, "other-drives");

  // A message box of the program, over the other drives window.
  QTimer::singleShot(300, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ok &= Save(box, folder, "message-box");
    if (auto* message = qobject_cast<QMessageBox*>(box)) message->accept();
  });
  UserDialogs::ShowMessage("You must select a drive first.", UserDialogs::Icon::Critical);

  // The folder picker of "Scan for files in a specific directory", as it opens.
  QTimer::singleShot(600, [&] {
    QWidget* picker = QApplication::activeModalWidget();
    ok &= Save(picker, folder, "folder-picker");
    if (auto* dialog = qobject_cast<QDialog*>(picker)) dialog->reject();
  });
  UserDialogs::Current().PickFolder(
      "Pick a folder to scan for Windows Update and Office Update files.",
      UserDialogs::Question::FolderToScan);
  program.Unload("OTHER_FRM");

  // The modal windows, shown still: the progress window without its scan.
  QtUi::QtToolkit still(testsupport::StillForms(), [] {});
  const std::pair<const char*, const char*> modals[] = {
      {"CHECK_FRM", "progress"}, {"SCAN_OPTIONS", "scan-options"}, {"ABOUT_FRM", "about"}};
  for (const auto& [form, picture] : modals) {
    still.Show(form);
    ok &= Save(still.Window(form), folder, QString::fromLatin1(picture));
    still.Unload(form);
  }
  qttest::Settle();
  return ok ? 0 : 1;
}
