// The other drives window: the scan of one picked folder and of another drive.
#include <string>

#include "scan/ScanProcess.h"
#include "system/FileTools.h"
#include "system/UserDialogs.h"
#include "ui/ControlTable.h"
#include "ui/FormFactories.h"
#include "ui/FormNames.h"
#include "ui/MainWindowLook.h"

namespace ui {
namespace {

constexpr const char* kFolderButton = "Command1";
constexpr const char* kDriveButton = "Command2";
constexpr const char* kHomeButton = "Command3";
constexpr const char* kAboutButton = "Command4";
constexpr const char* kFrame = "Frame1";
constexpr const char* kDriveList = "DriveList";

FormTable BuildTable() {
  FormTable table = WindowTable(kOtherForm, "Scan other hard drives or directories", 7410, 5835);
  MainWindowLook::AddHeader(
      table, {.aboutButton = kAboutButton, .bandTab = 11, .aboutTab = 12, .bannerTab = 10});
  auto& c = table.controls;
  c.push_back(MainWindowLook::TitleLabel("Scan other hard drives or directories",
                                         {240, 1800, 6855, 495}, 1));
  c.push_back(MainWindowLook::WelcomeLabel(
      "This tool also gives you the ability to check for Windows Update inventories in a "
      "specific directory, or on external drives. To get started, pick an option among the "
      "ones below.",
      {240, 2280, 7095, 495}, 0));
  c.push_back(MainWindowLook::Pointer("Label1", 240, 3120, 255, 9));
  c.push_back(
      ButtonRow(kFolderButton, "Scan for files in a specific directory", {480, 3120, 3615, 375}, 2)
          .Tip("The Quillfen will only scan files at the root of this directory, not in "
               "its subdirectories (except for Windows Update V4 files, where it will "
               "check the V4 subdirectory)."));
  c.push_back(Row(kFrame, ControlKind::Frame, "Scan a drive", {120, 3600, 4215, 2055}, 4));
  c.push_back(Row(kDriveList, ControlKind::DriveList, "", {360, 360, 3615, 315}, 7).In(kFrame));
  c.push_back(MainWindowLook::Pointer("Label2", 120, 840, 255, 6, kFrame));
  c.push_back(ButtonRow(kDriveButton, "Scan the above drive", {360, 840, 3615, 375}, 5)
                  .In(kFrame)
                  .Tip("Scan an entire drive that uses the default Windows structure."));
  c.push_back(LabelRow("Label3",
                       "Note: Your drive must have a valid Windows install on it (e.g. with the "
                       "Program Files directory at its root, and a Windows folder).",
                       {360, 1320, 3615, 615}, 8)
                  .In(kFrame)
                  .Flags(kWrap));
  c.push_back(ButtonRow(kHomeButton, "Home Menu", {5760, 5160, 1455, 435}, 3));
  return table;
}

class OtherForm final : public Form {
 public:
  const FormTable& Table() const override {
    static const FormTable table = BuildTable();
    return table;
  }

  // The list always has a selection; one further down than the first entry is kept.
  void OnLoad(Toolkit& tk) override {
    Control& drives = tk.Get(kOtherForm, kDriveList);
    if (drives.ListIndex() < 1) drives.SetListIndex(0);
  }

  void OnClick(Toolkit& tk, const std::string& control) override {
    if (control == kFolderButton) {
      ScanPickedFolder();
    } else if (control == kDriveButton) {
      ScanSelectedDrive(tk);
    } else if (control == kHomeButton) {
      tk.Unload(kOtherForm);
      tk.Show(kBeginForm);
    } else if (control == kAboutButton) {
      tk.ShowModal(kAboutForm);
    }
  }

 private:
  static void ScanPickedFolder() {
    const std::string folder = FileTools::BrowseForFolder(
        0, "Pick a folder to scan for Windows Update and Office Update files.",
        UserDialogs::Question::FolderToScan);
    if (folder.empty()) return;  // cancelled: nothing to say
    ScanProcess::ScanFolder(folder);
  }

  static void ScanSelectedDrive(Toolkit& tk) {
    if (tk.Get(kOtherForm, kDriveList).Text().empty()) {
      UserDialogs::ShowMessage("You must select a drive first.", UserDialogs::Icon::Critical);
      return;
    }
    ScanProcess::ScanDrive(tk.Get(kOtherForm, kDriveList).Text());
  }
};

}  // namespace

std::unique_ptr<Form> MakeOtherForm() { return std::make_unique<OtherForm>(); }

}  // namespace ui
