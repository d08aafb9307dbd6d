// Files the 8-bit calls cannot reach on Windows: a name the code page cannot carry (a listing
// gives it with "?"), and a path longer than MAX_PATH. A listing shows them, but their dates
// cannot be read: each is said, and none is taken as old or counted as found.
#include <windows.h>

#include <stdexcept>

#include "ScanWorld.h"
#include "scan/ScanOptions.h"
#include "scan/ScanProcess.h"
#include "support/HostGuard.h"

namespace scantest {
namespace {

class UnsavableNames : public ScanWorld {
 protected:
  // A file made with the wide calls, which take any name and any length, dated 15 June.
  void WideFile(const std::wstring& path, WORD year = 2004) {
    const HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot make a wide-named file");
    SYSTEMTIME when = {year, 6, 0, 15, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&when, &time);
    DWORD wrote;
    WriteFile(file, "x", 1, &wrote, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
  }
};

TEST_F(UnsavableNames, ANameTheCodePageCannotCarryIsSaidBesideASaveThatSucceeded) {
  tree.File("c/aside/a.w98", "a", 2004);
  WideFile(L"R:\\c\\aside\\\x0416.w98");  // a Cyrillic letter, outside the Western code page
  tree.Folder("d/out");
  dialogs.SaveInto({"T:\\out"});

  ScanProcess::ScanFolder("S:\\aside");
  ASSERT_EQ(dialogs.boxes.size(), 3u);
  EXPECT_EQ(dialogs.boxes[1].text,
            "The scan could not read everything, so files may have been missed:\n\n"
            "Could not read the date of: S:\\aside\\?.w98");
  EXPECT_EQ(dialogs.boxes[1].icon, UserDialogs::Icon::Exclamation);
  EXPECT_EQ(dialogs.boxes[2].text,
            "Your files have successfully been saved. Press OK to open the save directory.");
  EXPECT_EQ(tree.Listing("d/out/CVL_SAVE"), "README.TXT\na.w98\n");
}

// Its year cannot be read, so whether it is too new cannot be told: it is never found.
TEST_F(UnsavableNames, ATooNewFileOnAPathLongerThanMaxPathIsSaidAndNotFound) {
  const std::string folder = "deep/" + std::string(200, 'd');
  const std::string name = std::string(60, 'n') + ".w98";
  tree.Folder("c/" + folder);
  WideFile(L"R:\\c\\deep\\" + std::wstring(200, L'd') + L"\\" + std::wstring(60, L'n') + L".w98",
           2021);
  dialogs.SaveInto({"T:\\"});

  const std::string source = "S:\\deep\\" + std::string(200, 'd') + "\\" + name;
  ASSERT_GE(source.size(), static_cast<std::size_t>(MAX_PATH));
  ScanProcess::ScanFolder("S:\\deep\\" + std::string(200, 'd'));
  EXPECT_EQ(dialogs.calls, (std::vector<std::string>{
                               "box: No valid Windows Update files found.",
                               "box: Could not read the date of: " + source}));
  EXPECT_EQ(tree.Listing("d"), "");
}

TEST_F(UnsavableNames, TheLocalScanSaysWhichDatesItCouldNotRead) {
  tree.Folder("c/Program Files/WindowsUpdate");
  WideFile(L"R:\\c\\Program Files\\WindowsUpdate\\" + std::wstring(240, L'n') + L".gng", 2021);
  // A Windows folder whose log lies past MAX_PATH.
  const std::string windows(240, 'w');
  tree.Folder("c/" + windows);
  WideFile(L"R:\\c\\" + std::wstring(240, L'w') + L"\\Windows Update.log");
  testsupport::HostGuard windir(testsupport::HostGuard::Setting::Windir, ("S:\\" + windows).c_str());
  ScanOptions::ResetAll();
  EXPECT_EQ(ScanLocal(), Lines({"<t> - Could not read the date of: " + std::string(240, 'n') + ".gng",
                                "<t> - Could not read the date of: Windows Update.log",
                                "<t> - No corresponding Windows Update V4 log has been found.",
                                "<t> - No valid Windows Update V4 files found.",
                                "<t> - No corresponding OfficeUpdate directory found.",
                                "<t> - Scan ended. No corresponding files have been found."}));
  EXPECT_FALSE(tree.Exists("c/CVL_SAVE"));
}

}  // namespace
}  // namespace scantest
