// A scan of this computer from the real windows: the progress window comes and goes, the
// console fills line by line (and keeps its caret at the end), the save folder is written, and
// "Open saved directory" appears and opens it.
#include <string>
#include <vector>

#include "ProgramTest.h"
#include "system/WindowsApi.h"
#include "ui/FormNames.h"

namespace wintest {
namespace {

using Names = std::vector<std::string>;

std::vector<std::string> ConsoleLines(ProgramRun& program) {
  return testsupport::SplitLines(
      testsupport::MaskTimes(TextOf(program.Control(ui::kLocalScanForm, ui::kScanConsole))));
}

TEST_F(ProgramTest, ALocalScanFillsTheConsoleSavesAndOffersTheSaveFolder) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "x", 2004);
  ProgramRun program;
  ASSERT_TRUE(program.Click(ui::kBeginForm, "Command2"));
  const HWND openDir = program.Control(ui::kLocalScanForm, ui::kOpenDirButton);
  ASSERT_NE(openDir, nullptr);
  EXPECT_FALSE(IsWindowVisible(openDir));

  const std::vector<std::string> firstScan = {
      "<t> - A new scan has been started.", "<t> - File found: a.w98",
      "<t> - No corresponding Windows Update V4 log has been found.",
      "<t> - No valid Windows Update V4 files found.",
      "<t> - No corresponding OfficeUpdate directory found.",
      "<t> - Scan ended. Saved files can be found in S:\\CVL_SAVE."};
  ASSERT_TRUE(program.Click(ui::kLocalScanForm, "ScanButton"));
  ASSERT_TRUE(program.WaitFor([&] { return program.OpenForms() == Names{ui::kLocalScanForm}; }));
  EXPECT_EQ(ConsoleLines(program), firstScan);
  EXPECT_TRUE(IsWindowVisible(openDir));
  EXPECT_TRUE(tree.Exists("c/CVL_SAVE/a.w98"));
  const auto readme = WindowsApi::CustomResource(101);
  EXPECT_EQ(tree.Read("c/CVL_SAVE/README.TXT"), std::string(readme.begin(), readme.end()));

  // A second scan follows after an empty line; the caret stays at the end, in view.
  ASSERT_TRUE(program.Click(ui::kLocalScanForm, "ScanButton"));
  ASSERT_TRUE(program.WaitFor([&] { return ConsoleLines(program).size() == 2 * firstScan.size() + 1; }));
  std::vector<std::string> both = firstScan;
  both.push_back("");
  both.insert(both.end(), firstScan.begin(), firstScan.end());
  EXPECT_EQ(ConsoleLines(program), both);
  const HWND console = program.Control(ui::kLocalScanForm, ui::kScanConsole);
  DWORD start = 0, end = 0;
  SendMessageA(console, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, TextOf(console).size());

  ASSERT_TRUE(program.Click(ui::kLocalScanForm, ui::kOpenDirButton));
  EXPECT_EQ(seen.Calls(), Names{"open: S:\\CVL_SAVE"});
}

}  // namespace
}  // namespace wintest
