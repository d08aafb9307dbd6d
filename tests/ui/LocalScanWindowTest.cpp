// The local scan window: its load steps, the console across scans, the save folder button and
// the progress window's Cancel.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "UiWorld.h"
#include "scan/ScanOptions.h"
#include "support/HostGuard.h"
#include "system/WindowsTools.h"
#include "ui/FormNames.h"

namespace uitest {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kStarted = "<t> - A new scan has been started.";

class LocalScanWindow : public UiWorld {
 protected:
  // Runs "Scan my computer"; the progress window must come and go exactly once.
  void Scan() {
    tk.ClearTranscript();
    ASSERT_TRUE(tk.Click(ui::kLocalScanForm, "ScanButton"));
    EXPECT_EQ(tk.Transcript(), (Lines{"load CHECK_FRM", "modal CHECK_FRM", "unload CHECK_FRM"}));
  }
  bool OpenDirVisible() const { return tk.Find(ui::kLocalScanForm, ui::kOpenDirButton)->Visible(); }
};

TEST_F(LocalScanWindow, LoadingFillsTheLabelsWithAnEmptyConsoleAndNoSaveButton) {
  OpenLocalScan();
  EXPECT_EQ(tk.Find(ui::kLocalScanForm, "TitleText")->Text(), "Quillfen");
  EXPECT_EQ(tk.Find(ui::kLocalScanForm, "WelcomeText")->Text(),
            "Welcome to the Corvalen Quillfen! This tool will help you look for original Windows "
            "Update V2/V3.1/V4 and Office Update inventories on your computer.\r\n\r\n"
            "To begin the search, click the \"Scan my computer\" button below.");
  EXPECT_EQ(tk.Find(ui::kLocalScanForm, "OSNameLabel")->Text(), WindowsTools::GetOSName());
  EXPECT_NE(WindowsTools::GetOSName(), "{UNKNOWN_TEXT}");
  EXPECT_EQ(tk.Find(ui::kLocalScanForm, ui::kScanConsole)->Text(), "");
  EXPECT_FALSE(OpenDirVisible());
  EXPECT_FALSE(tk.Click(ui::kLocalScanForm, ui::kOpenDirButton)) << "a hidden button";
}

TEST_F(LocalScanWindow, TwoScansShareTheConsoleAndTheSaveButtonStaysAfterAnEmptyOne) {
  Put("c/Program Files/WindowsUpdate/a.w98", 2004);
  OpenLocalScan();
  Scan();
  EXPECT_TRUE(OpenDirVisible());
  EXPECT_TRUE(tree.Exists("c/CVL_SAVE/a.w98"));

  std::filesystem::remove(tree.Path("c/Program Files/WindowsUpdate/a.w98"));
  Scan();
  EXPECT_TRUE(OpenDirVisible()) << "a scan that finds nothing does not hide it again";
  EXPECT_EQ(ConsoleLines(),
            (Lines{kStarted, "<t> - File found: a.w98",
                   "<t> - No corresponding Windows Update V4 log has been found.",
                   "<t> - No valid Windows Update V4 files found.",
                   "<t> - No corresponding OfficeUpdate directory found.",
                   "<t> - Scan ended. Saved files can be found in S:\\CVL_SAVE.", "", kStarted,
                   "<t> - The WindowsUpdate directory exists but is empty. Scan aborted."}));
  const TestControl* console = tk.Find(ui::kLocalScanForm, ui::kScanConsole);
  EXPECT_EQ(console->SelStart(), console->Text().size()) << "the newest line stays in view";
}

TEST_F(LocalScanWindow, ClearConsoleMakesTheNextScanStartLikeTheFirst) {
  Put("c/Program Files/WindowsUpdate/a.w98", 2004);
  OpenLocalScan();
  Scan();
  tk.Click(ui::kLocalScanForm, "Command2");
  EXPECT_EQ(tk.Find(ui::kLocalScanForm, ui::kScanConsole)->Text(), "");
  EXPECT_TRUE(OpenDirVisible());
  Scan();
  ASSERT_FALSE(ConsoleLines().empty());
  EXPECT_EQ(ConsoleLines().front(), kStarted);
}

TEST_F(LocalScanWindow, GoingHomeAndBackForgetsTheConsoleTheButtonAndTheOptions) {
  Put("c/Program Files/WindowsUpdate/a.w98", 2004);
  OpenLocalScan();
  Scan();
  ScanOptions::ScanV3Inventories = false;
  tk.Click(ui::kLocalScanForm, "Command4");
  tk.Click(ui::kBeginForm, "Command2");
  EXPECT_EQ(tk.Find(ui::kLocalScanForm, ui::kScanConsole)->Text(), "");
  EXPECT_FALSE(OpenDirVisible());
  EXPECT_TRUE(ScanOptions::ScanV3Inventories);
}

TEST_F(LocalScanWindow, OpenSavedDirectoryOpensTheSaveFolderOnTheWindowsDrive) {
  Put("c/Program Files/WindowsUpdate/a.w98", 2004);
  OpenLocalScan();
  Scan();
  tk.Click(ui::kLocalScanForm, ui::kOpenDirButton);
  {
    testsupport::HostGuard otherDrive(testsupport::HostGuard::Setting::Windir, "T:\\WINNT");
    tk.Click(ui::kLocalScanForm, ui::kOpenDirButton);
  }
  {
    testsupport::HostGuard unset(testsupport::HostGuard::Setting::Windir, nullptr);
    tk.Click(ui::kLocalScanForm, ui::kOpenDirButton);
  }
  EXPECT_EQ(dialogs.opened, (Lines{"S:\\CVL_SAVE", "T:\\CVL_SAVE", "CVL_SAVE"}));
  EXPECT_TRUE(dialogs.boxes.empty());
}

// Cancel acts only when the progress window is idle, which a scan never leaves it; load one
// idle to press it.
class ConsoleAtBox : public testsupport::FakeDialogs {
 public:
  explicit ConsoleAtBox(const TestToolkit& tk) : tk_(tk) {}
  UserDialogs::Answer Message(const std::string& text, const std::string& title,
                              UserDialogs::Icon icon, UserDialogs::Buttons buttons,
                              UserDialogs::Question question) override {
    consoleAtBox = tk_.Find(ui::kLocalScanForm, ui::kScanConsole)->Text();
    return FakeDialogs::Message(text, title, icon, buttons, question);
  }
  std::string consoleAtBox;

 private:
  const TestToolkit& tk_;
};

TEST_F(LocalScanWindow, CancelSaysSoThenLogsItThenCloses) {
  OpenLocalScan();
  Scan();  // no WindowsUpdate folder: one short log
  const Lines before = ConsoleLines();
  ConsoleAtBox answering(tk);
  tk.Load(ui::kCheckForm);
  tk.Click(ui::kCheckForm, "Command1");
  ASSERT_EQ(answering.boxes.size(), 1u);
  EXPECT_EQ(answering.boxes[0].text, "You have cancelled the scan.");
  EXPECT_EQ(answering.boxes[0].title, "Quillfen");
  EXPECT_EQ(answering.boxes[0].icon, UserDialogs::Icon::Critical);
  EXPECT_EQ(answering.boxes[0].buttons, UserDialogs::Buttons::Ok);
  EXPECT_EQ(answering.consoleAtBox.find("cancelled"), std::string::npos) << "the box comes first";
  Lines after = before;
  after.push_back("<t> - The scan has been cancelled by the user.");
  EXPECT_EQ(ConsoleLines(), after);
  EXPECT_FALSE(tk.IsLoaded(ui::kCheckForm));
}

}  // namespace
}  // namespace uitest
