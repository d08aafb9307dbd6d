// What only the Win32 host meets: short names, the read-only attribute, reparse points, volume
// labels, the resources of the exe.
#include <windows.h>
#include <winioctl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "support/FakeDialogs.h"
#include "support/ListedNames.h"
#include "support/TempTree.h"
#include "system/FileTools.h"
#include "system/WindowsApi.h"

extern const unsigned char readme_source[];
extern const std::size_t readme_source_size;

namespace {

using testsupport::ListedNames;
using testsupport::TempTree;
using testsupport::TreeDrives;

class Win32Host : public ::testing::Test {
 protected:
  TempTree tree;
  TreeDrives drives{tree, TreeDrives::Layout::Root};
  testsupport::FakeDialogs dialogs;
};

TEST_F(Win32Host, AFileIsNeverCopiedOntoItselfHoweverItsPathIsSpelt) {
  tree.File("dir/A Long File Name.w98", "the only copy", 2004);
  char shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameA("R:\\dir\\A Long File Name.w98", shortPath, MAX_PATH), 0u);
  ASSERT_STRNE(shortPath, "R:\\dir\\A Long File Name.w98");

  EXPECT_TRUE(FileTools::FileExists(shortPath));
  for (const std::string& other : {std::string(shortPath), std::string("r:\\DIR\\a long file name.W98"),
                                   std::string("R:\\\\dir\\\\A Long File Name.w98"),
                                   std::string("R:/dir/./A Long File Name.w98")}) {
    EXPECT_FALSE(WindowsApi::CopyFileReplacing("R:\\dir\\A Long File Name.w98", other)) << other;
    EXPECT_FALSE(WindowsApi::CopyFileReplacing(other, "R:\\dir\\A Long File Name.w98")) << other;
  }
  EXPECT_EQ(tree.Read("dir/A Long File Name.w98"), "the only copy");
  EXPECT_EQ(FileTools::FileYear("R:\\dir\\A Long File Name.w98"), 2004);
  EXPECT_EQ(tree.Listing("dir"), "A Long File Name.w98\n");  // no temporary left behind
}

TEST_F(Win32Host, ACopyReplacesKeepsTheTimeAndTheExistingNamesSpelling) {
  tree.File("a.w98", "new", 2003);
  tree.File("save/A.W98", "old");
  EXPECT_TRUE(WindowsApi::CopyFileReplacing("R:\\a.w98", "R:\\save\\a.w98"));
  EXPECT_EQ(tree.Listing("save"), "A.W98\n");
  EXPECT_EQ(tree.Read("save/A.W98"), "new");
  EXPECT_EQ(FileTools::FileYear("R:\\save\\A.W98"), 2003);
}

TEST_F(Win32Host, TheReadOnlyAttributeIsRespectedAndNotCopied) {
  tree.File("src/locked.w98", "source", 2004);
  tree.ReadOnly("src/locked.w98");
  tree.File("save/taken.w98", "older copy");
  tree.ReadOnly("save/taken.w98");

  EXPECT_TRUE(FileTools::FileExists("R:\\src\\locked.w98"));
  EXPECT_FALSE(WindowsApi::DeleteOneFile("R:\\save\\taken.w98"));
  EXPECT_FALSE(WindowsApi::CopyFileReplacing("R:\\src\\locked.w98", "R:\\save\\taken.w98"));
  EXPECT_FALSE(WindowsApi::WriteWholeFile("R:\\save\\taken.w98",
                                          reinterpret_cast<const unsigned char*>("x"), 1));
  EXPECT_EQ(tree.Read("save/taken.w98"), "older copy");
  // A copy does not carry the attribute (CopyFile would): a later save must replace it.
  EXPECT_TRUE(WindowsApi::CopyFileReplacing("R:\\src\\locked.w98", "R:\\save\\locked.w98"));
  EXPECT_EQ(WindowsApi::FileAttributes("R:\\save\\locked.w98") & WindowsApi::kAttrReadOnly, 0u);
  EXPECT_TRUE(WindowsApi::CopyFileReplacing("R:\\src\\locked.w98", "R:\\save\\locked.w98"));
  EXPECT_EQ(tree.Listing("save"), "locked.w98\ntaken.w98\n");
}

// A folder "loop" holding "file.txt" and "back", a reparse point that leads to "loop" itself.
// Made as a junction where the file system allows it. Wine cannot make one, but shows a
// symbolic link as a reparse point: the test run makes the link and names its folder in
// QUILLFEN_TEST_LINKS.
std::string LoopFolder(const TempTree& tree) {
  char links[MAX_PATH] = {};
  if (GetEnvironmentVariableA("QUILLFEN_TEST_LINKS", links, MAX_PATH) > 0)
    return std::string(links) + "\\loop";
  tree.File("loop/file.txt");
  tree.Folder("loop/back");
  const HANDLE back = CreateFileA("R:\\loop\\back", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (back == INVALID_HANDLE_VALUE) return {};
  // A mount-point reparse buffer: the target as an NT path, then as it is printed.
  const std::wstring target = L"\\??\\R:\\loop", printed = L"R:\\loop";
  std::vector<char> buffer(8 + 8 + (target.size() + printed.size() + 2) * sizeof(wchar_t));
  auto put16 = [&](std::size_t at, std::size_t value) {
    buffer[at] = static_cast<char>(value & 0xff);
    buffer[at + 1] = static_cast<char>(value >> 8);
  };
  const std::size_t targetBytes = target.size() * sizeof(wchar_t);
  const std::size_t printedBytes = printed.size() * sizeof(wchar_t);
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(buffer.data(), &tag, 4);
  put16(4, buffer.size() - 8);
  put16(8, 0);
  put16(10, targetBytes);
  put16(12, targetBytes + 2);
  put16(14, printedBytes);
  std::memcpy(buffer.data() + 16, target.data(), targetBytes);
  std::memcpy(buffer.data() + 16 + targetBytes + 2, printed.data(), printedBytes);
  DWORD ignored;
  const bool made = DeviceIoControl(back, FSCTL_SET_REPARSE_POINT, buffer.data(),
                                    static_cast<DWORD>(buffer.size()), nullptr, 0, &ignored, nullptr);
  CloseHandle(back);
  return made ? "R:\\loop" : "";
}

TEST_F(Win32Host, AReparsePointToAFolderIsNeverWalkedInto) {
  const std::string loop = LoopFolder(tree);
  ASSERT_FALSE(loop.empty()) << "no junction could be made and QUILLFEN_TEST_LINKS is not set";
  ASSERT_NE(WindowsApi::FileAttributes(loop + "\\back") & FILE_ATTRIBUTE_REPARSE_POINT, 0u);

  EXPECT_EQ(ListedNames(loop + "\\*"), ". .. file.txt ");
  EXPECT_TRUE(FileTools::FolderExists(loop + "\\back"));  // there, only never listed
  EXPECT_EQ(FileTools::CountFiles(loop, true), 1);
  EXPECT_TRUE(FileTools::CopyFolder(loop, "R:\\copy"));
  EXPECT_EQ(tree.Listing("copy"), "file.txt\n");
}

TEST_F(Win32Host, AFolderListsItsDotEntriesFirstAndADriveRootHasNone) {
  tree.File("dir/b.txt");
  tree.File("dir/A.txt");
  tree.File("top.txt");
  EXPECT_EQ(ListedNames("R:\\dir\\*"), ". .. A.txt b.txt ");
  EXPECT_EQ(ListedNames("R:\\dir\\"), ". .. A.txt b.txt ");
  EXPECT_EQ(ListedNames("R:\\*"), "dir top.txt ");
  EXPECT_EQ(ListedNames("R:\\dir\\*.none"), "");
  EXPECT_EQ(ListedNames("R:\\missing\\*"), "");
}

// Wine keeps no volume labels for folders linked as drives, so only the letters show here.
TEST_F(Win32Host, TheDriveListShowsEveryDriveInLetterOrderAsADriveListBoxDoes) {
  std::string letters;
  for (const std::string& entry : WindowsApi::DriveEntries()) {
    ASSERT_GE(entry.size(), 2u);
    EXPECT_TRUE(entry.size() == 2 || (entry.substr(2, 2) == " [" && entry.back() == ']')) << entry;
    EXPECT_EQ(entry[1], ':');
    letters += entry[0];
  }
  EXPECT_NE(letters.find("rst"), std::string::npos) << letters;
  EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end())) << letters;
}

// The resources the resource script builds into the exe.
TEST(Win32Resources, TheReadmeIconCursorAndVersionAreBuiltIn) {
  const auto readme = WindowsApi::CustomResource(101);
  EXPECT_EQ(std::string(readme.begin(), readme.end()),
            std::string(reinterpret_cast<const char*>(readme_source), readme_source_size));
  EXPECT_TRUE(WindowsApi::CustomResource(102).empty());
  EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_NE(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(2)), nullptr);

  const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));  // RT_VERSION
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
  const std::string record(reinterpret_cast<const char*>(bytes), SizeofResource(nullptr, found));
  const DWORD signature = 0xFEEF04BD;
  const std::size_t at = record.find(std::string(reinterpret_cast<const char*>(&signature), 4));
  ASSERT_NE(at, std::string::npos);
  VS_FIXEDFILEINFO info;
  std::memcpy(&info, record.data() + at, sizeof info);
  EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);  // 1.0
  EXPECT_EQ(info.dwFileVersionLS, 0x00000005u);  // .0.5
}

}  // namespace
