// Starts the program: the Qt windows, the real dialogs, and the home window. The program
// takes no command-line arguments; any that are given are ignored.
#include <QApplication>

#include "system/HostSettings.h"
#include "system/UserDialogs.h"
#include "system/WindowsApi.h"
#include "ui/Form.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/QtToolkit.h"

int main(int, char** argv) {
  // Only the program's name reaches Qt, so no argument can change what the program does.
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillfen"));
  QApplication::setDesktopFileName(QStringLiteral("org.corvalen.Quillfen"));
  // One main window replaces another; the toolkit ends the program when none is left.
  QApplication::setQuitOnLastWindowClosed(false);

  // What the machine shows as Windows drives, registry, windir and version (Linux), read once.
  HostSettings::Use(HostSettings::FromEnvironment());
  // Ctrl-C in the terminal that started it, or a request to end, leaves no half-written copy.
  WindowsApi::RemoveTemporaryOnInterrupt();
  QtUi::QtDialogs dialogs;
  UserDialogs::Scope useDialogs(dialogs);
  QtUi::QtToolkit toolkit(ui::MakeForm);
  toolkit.Show(ui::kStartForm);
  if (toolkit.Ended()) return 0;
  return QApplication::exec();
}
