// The home menu: the two ways to scan, the about window and "Exit".
#include "scan/ScanOptions.h"
#include "ui/ControlTable.h"
#include "ui/FormFactories.h"
#include "ui/FormNames.h"
#include "ui/Look.h"
#include "ui/MainWindowLook.h"

namespace ui {
namespace {

constexpr const char* kAboutButton = "Command1";
constexpr const char* kScanThisComputer = "Command2";
constexpr const char* kScanOther = "Command3";
constexpr const char* kExit = "Command4";

constexpr const char* kWelcome =
    "Welcome to the Corvalen Quillfen!\r\n"
    "This program will help you check if you have valid Windows Update inventories on your "
    "computer(s). To begin, click one the buttons below:";

FormTable BuildTable() {
  FormTable table = WindowTable(kBeginForm, "Quillfen", 7440, 6435);
  MainWindowLook::AddHeader(
      table, {.aboutButton = kAboutButton, .bandTab = 1, .aboutTab = 2, .bannerTab = 0});
  auto& c = table.controls;
  c.push_back(MainWindowLook::TitleLabel("Quillfen", {240, 1800, 6855, 495}, 4));
  // The load step writes the welcome text.
  c.push_back(MainWindowLook::WelcomeLabel("", {240, 2160, 7095, 975}, 3));
  c.push_back(MainWindowLook::Pointer("Label1", 120, 3000, 375, 6));
  c.push_back(ButtonRow(kScanThisComputer, "Scan this computer", {360, 3000, 4215, 375}, 5)
                  .WithFont(Look::SansSerifBold())
                  .Tip("Scan this computer only for Windows Update and Office Update files "
                       "that could be useful to the project.")
                  .Flags(kDefault));
  c.push_back(LabelRow("Label3",
                       "The Quillfen will scan your computer for original Windows Update "
                       "inventories. This process is entirely automated.",
                       {360, 3480, 6855, 495}, 10)
                  .Flags(kWrap));
  c.push_back(LabelRow("Label4", "Do not use this option if your computer already used Corvalen.",
                       {360, 3960, 6975, 255}, 11)
                  .WithFont(Look::SansSerifBold())
                  .TextColor(Look::kDarkRed));
  c.push_back(MainWindowLook::Pointer("Label2", 120, 4560, 375, 7));
  c.push_back(
      ButtonRow(kScanOther, "Scan other hard drives or directories", {360, 4560, 4215, 375}, 8)
          .Tip("Scan other hard drives or directories for Windows Update and Office "
               "Update files we may need."));
  c.push_back(LabelRow("Label5",
                       "Allows scanning any other hard drive connected to your computer. You "
                       "may (or not) need to specify the right Program Files directory located "
                       "on the drive you want to scan. Also allows scanning specific "
                       "directories only.",
                       {360, 5040, 6975, 615}, 12)
                  .Flags(kWrap));
  c.push_back(ButtonRow(kExit, "Exit", {5640, 5880, 1575, 375}, 9));
  return table;
}

class BeginForm final : public Form {
 public:
  const FormTable& Table() const override {
    static const FormTable table = BuildTable();
    return table;
  }

  void OnLoad(Toolkit& tk) override {
    tk.Get(kBeginForm, "WelcomeText").SetText(kWelcome);
    // Coming home forgets any choice made in the options dialog.
    ScanOptions::ResetAll();
  }

  void OnClick(Toolkit& tk, const std::string& control) override {
    if (control == kAboutButton) {
      tk.ShowModal(kAboutForm);
    } else if (control == kScanThisComputer) {
      tk.Unload(kBeginForm);
      tk.Show(kLocalScanForm);
    } else if (control == kScanOther) {
      tk.Unload(kBeginForm);
      tk.Show(kOtherForm);
    } else if (control == kExit) {
      tk.EndProgram();
    }
  }
};

}  // namespace

std::unique_ptr<Form> MakeBeginForm() { return std::make_unique<BeginForm>(); }

}  // namespace ui
