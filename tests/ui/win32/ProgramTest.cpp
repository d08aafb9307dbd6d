#include "ProgramTest.h"

#include "scan/ScanOptions.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Layout.h"

namespace wintest {

ProgramTest::ProgramTest() { tree.Folder("c/WINDOWS"); }

ProgramTest::~ProgramTest() { ScanOptions::ResetAll(); }

int ProgramTest::Px(int twips) { return Win32Ui::Pixels(twips, Win32Fonts::ScreenDpi()); }

}  // namespace wintest
