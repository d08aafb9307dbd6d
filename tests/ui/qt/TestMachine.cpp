#include "TestMachine.h"

#include <ctime>

namespace qttest {

TestMachine::TestMachine()
    : drives_("QUILLFEN_DRIVES", ("C=" + tree.Path("c") + ";D=" + tree.Path("d")).c_str()),
      registry_("QUILLFEN_REGISTRY", tree.Path("machine.reg").c_str()) {
  tzset();
  tree.Folder("c/WINDOWS");
  tree.Folder("d");
  tree.File("machine.reg",
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]"
            "\r\n\"ProgramFilesDir\"=\"C:\\\\Program Files\"\r\n");
}

void TestMachine::InstallOldWindows() const {
  Put("c/Program Files/WindowsUpdate/5.w98", 2002);
  Put("c/Program Files/WindowsUpdate/V4/iuhist.xml", 2004);
  Put("c/WINDOWS/Windows Update.log", 2004);
}

}  // namespace qttest
