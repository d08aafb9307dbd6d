// The local scan window: the scan console, "Scan my computer", the options, the save folder.
#include <string>

#include "scan/ConsoleTools.h"
#include "scan/SaveFolder.h"
#include "scan/ScanProcess.h"
#include "scan/TimeTools.h"
#include "system/FileTools.h"
#include "system/WindowsApi.h"
#include "system/WindowsTools.h"
#include "ui/ControlTable.h"
#include "ui/FormFactories.h"
#include "ui/FormNames.h"
#include "ui/Look.h"
#include "ui/MainWindowLook.h"

namespace ui {
namespace {

constexpr const char* kAboutButton = "Command1";
constexpr const char* kScanButton = "ScanButton";
constexpr const char* kClearConsole = "Command2";
constexpr const char* kOptionsButton = "Command3";
constexpr const char* kMenuButton = "Command4";
constexpr const char* kOSNameLabel = "OSNameLabel";

// What the labels hold until the load step replaces it.
constexpr const char* kUnknownText = "{UNKNOWN_TEXT}";

constexpr const char* kWelcome =
    "Welcome to the Corvalen Quillfen! This tool will help you look for original Windows Update "
    "V2/V3.1/V4 and Office Update inventories on your computer.\r\n\r\n"
    "To begin the search, click the \"Scan my computer\" button below.";

FormTable BuildTable() {
  FormTable table = WindowTable(kLocalScanForm, "Corvalen Quillfen", 7410, 7650);
  // This window's band and banner sit 120 twips higher than on the other main windows.
  MainWindowLook::AddHeader(
      table,
      {.aboutButton = kAboutButton, .bandTab = 1, .aboutTab = 9, .bannerTab = 0, .raise = 120});
  auto& c = table.controls;
  c.push_back(MainWindowLook::TitleLabel(kUnknownText, {240, 1680, 6855, 495}, 2));
  c.push_back(MainWindowLook::WelcomeLabel(kUnknownText, {240, 2040, 7095, 1095}, 3));
  c.push_back(ButtonRow(kScanButton, "Scan my computer", {240, 3000, 2535, 375}, 4)
                  .Tip("Start scanning your computer for files we're looking for."));
  c.push_back(ButtonRow(kOptionsButton, "Scan Options", {2880, 3000, 1335, 375}, 12)
                  .Tip("Customize your scan by picking which files to scan for, etc."));
  c.push_back(ButtonRow(kOpenDirButton, "Open saved directory", {4920, 3000, 2295, 375}, 11)
                  .Tip("Open the backup directory containing the Windows Update files you saved.")
                  .Flags(kHidden));
  c.push_back(LabelRow("Label2", "Operating System :", {240, 3480, 1815, 255}, 7)
                  .WithFont(Look::SansSerifBold()));
  c.push_back(LabelRow(kOSNameLabel, kUnknownText, {1920, 3480, 5295, 255}, 8));
  c.push_back(ButtonRow(kClearConsole, "Clear Console", {5880, 4080, 1335, 315}, 10));
  c.push_back(LabelRow("Label1", "Scan Console", {240, 4200, 1335, 255}, 6)
                  .WithFont(Look::SansSerifBold()));
  c.push_back(Row(kScanConsole, ControlKind::TextBox, "", {240, 4440, 6975, 2655}, 5)
                  .Flags(kMultiLine | kReadOnly | kVScroll));
  c.push_back(ButtonRow(kMenuButton, "Menu", {6000, 7200, 1215, 375}, 13));
  return table;
}

// Logs the start of a scan; after an earlier scan's log, one empty line separates the two.
void LogScanStart(Control& console) {
  if (console.Length() > 0) {
    ConsoleTools::ConsoleWrite(console, "\r\n" + TimeTools::NowText() + ScanProcess::kScanStarted, true);
  } else {
    ConsoleTools::ConsoleWrite(console, TimeTools::NowText() + ScanProcess::kScanStarted, true);
    console.SetSelStart(console.Length());
  }
}

// The save folder on the drive of the Windows folder: "C:\" & "CVL_SAVE".
std::string SaveFolderPath() {
  std::string windir = WindowsApi::EnvironmentValue("windir").value_or("");
  return windir.substr(0, 3) + SaveFolder::kSaveFolderName;
}

class LocalScanForm final : public Form {
 public:
  const FormTable& Table() const override {
    static const FormTable table = BuildTable();
    return table;
  }

  void OnLoad(Toolkit& tk) override {
    tk.Get(kLocalScanForm, "TitleText").SetText("Quillfen");
    tk.Get(kLocalScanForm, "WelcomeText").SetText(kWelcome);
    tk.Get(kLocalScanForm, kOSNameLabel).SetText(WindowsTools::GetOSName());
  }

  void OnClick(Toolkit& tk, const std::string& control) override {
    if (control == kScanButton) {
      LogScanStart(tk.Get(kLocalScanForm, kScanConsole));
      tk.ShowModal(kCheckForm);  // runs the scan and returns once it has closed itself
    } else if (control == kAboutButton) {
      tk.ShowModal(kAboutForm);
    } else if (control == kClearConsole) {
      ConsoleTools::ConsoleClear(tk.Get(kLocalScanForm, kScanConsole));
    } else if (control == kOptionsButton) {
      tk.ShowModal(kScanOptionsForm);
    } else if (control == kMenuButton) {
      // Home is shown first, so a window stays open throughout.
      tk.Show(kBeginForm);
      tk.Unload(kLocalScanForm);
    } else if (control == kOpenDirButton) {
      FileTools::OpenInShell(SaveFolderPath());
    }
  }
};

}  // namespace

std::unique_ptr<Form> MakeLocalScanForm() { return std::make_unique<LocalScanForm>(); }

}  // namespace ui
