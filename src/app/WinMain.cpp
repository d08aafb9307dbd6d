// Starts the Windows program: the Win32 windows, the real dialogs, and the home window. The
// program takes no command-line arguments; any that are given are ignored.
#include <windows.h>

#include "system/UserDialogs.h"
#include "ui/Form.h"
#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32Toolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Win32Ui::Win32Dialogs dialogs;
  UserDialogs::Scope useDialogs(dialogs);
  // One main window replaces another; the toolkit ends the program when none is left.
  Win32Ui::Win32Toolkit toolkit(ui::MakeForm);
  toolkit.Show(ui::kStartForm);
  return toolkit.Run();
}
