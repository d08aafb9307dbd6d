#include "ProgramTest.h"

#include "scan/ScanOptions.h"
#include "ui/Geometry.h"
#include "ui/win32/Fonts.h"

namespace wintest {

ProgramTest::ProgramTest() { tree.Folder("c/WINDOWS"); }

ProgramTest::~ProgramTest() { ScanOptions::ResetAll(); }

int ProgramTest::Px(int twips) { return ui::TwipsToPixels(twips, Win32Fonts::ScreenDpi()); }

}  // namespace wintest
