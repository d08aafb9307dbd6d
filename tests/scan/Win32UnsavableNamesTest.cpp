// Files the 8-bit calls cannot reach on Windows: a name the code page cannot carry (a listing
// gives it with "?"), and a path longer than MAX_PATH. Each is reported as not saved.
#include <windows.h>

#include <stdexcept>

#include "ScanWorld.h"
#include "scan/ScanOptions.h"
#include "scan/ScanProcess.h"

namespace scantest {
namespace {

class UnsavableNames : public ScanWorld {
 protected:
  // A file made with the wide calls, which take any name and any length, dated 2004.
  void WideFile(const std::wstring& path) {
    const HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot make a wide-named file");
    SYSTEMTIME when = {2004, 6, 0, 15, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&when, &time);
    DWORD wrote;
    WriteFile(file, "x", 1, &wrote, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
  }
};

TEST_F(UnsavableNames, ANameTheCodePageCannotCarryIsReportedNotSaved) {
  tree.File("c/aside/a.w98", "a", 2004);
  WideFile(L"R:\\c\\aside\\\x0416.w98");  // a Cyrillic letter, outside the Western code page
  tree.Folder("d/out");
  dialogs.pickedFolders = {"T:\\out"};

  ScanProcess::ScanFolder("S:\\aside");
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[1].text,
            "Saving to T:\\out\\CVL_SAVE did not fully succeed:\n\n"
            "Could not copy file: S:\\aside\\?.w98\n\n"
            "The other files have been saved. Press OK to open the save directory.");
  EXPECT_EQ(tree.Listing("d/out/CVL_SAVE"), "README.TXT\na.w98\n");
}

TEST_F(UnsavableNames, ThePathLongerThanMaxPathIsReportedNotSaved) {
  const std::string folder = "deep/" + std::string(200, 'd');
  const std::string name = std::string(60, 'n') + ".w98";
  tree.Folder("c/" + folder);
  WideFile(L"R:\\c\\deep\\" + std::wstring(200, L'd') + L"\\" + std::wstring(60, L'n') + L".w98");
  dialogs.pickedFolders = {"T:\\"};

  const std::string source = "S:\\deep\\" + std::string(200, 'd') + "\\" + name;
  ASSERT_GE(source.size(), static_cast<std::size_t>(MAX_PATH));
  ScanProcess::ScanFolder("S:\\deep\\" + std::string(200, 'd'));
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[1].text, "Saving to T:\\CVL_SAVE did not fully succeed:\n\n"
                                   "Could not copy file: " + source + "\n\nNo file has been saved.");
}

TEST_F(UnsavableNames, TheLocalScanNamesTheFileItCouldNotCopy) {
  tree.Folder("c/Program Files/WindowsUpdate");
  WideFile(L"R:\\c\\Program Files\\WindowsUpdate\\\x0416.w98");
  ScanOptions::ResetAll();
  EXPECT_EQ(ScanLocal(), Lines({"<t> - File found: ?.w98", "<t> - Could not copy file: ?.w98",
                                "<t> - No corresponding Windows Update V4 log has been found.",
                                "<t> - No valid Windows Update V4 files found.",
                                "<t> - No corresponding OfficeUpdate directory found.",
                                "<t> - Scan ended. None of the files found could be saved."}));
  EXPECT_FALSE(tree.Exists("c/CVL_SAVE"));
}

}  // namespace
}  // namespace scantest
