// The scan options dialog: the three flags as check boxes, written back on "OK".
#include "scan/ScanOptions.h"
#include "system/UserDialogs.h"
#include "ui/ControlTable.h"
#include "ui/FormFactories.h"
#include "ui/FormNames.h"
#include "ui/Look.h"

namespace ui {
namespace {

constexpr const char* kOkButton = "Command1";
constexpr const char* kCancelButton = "Command2";
constexpr const char* kCheckV3 = "CheckV3Inventories";
constexpr const char* kCheckV4 = "CheckV4Inventories";
constexpr const char* kCheckOU = "CheckOUInventories";

ControlRow CheckBox(const char* name, const char* text, int top, int tab) {
  return Row(name, ControlKind::CheckBox, text, {120, top, 4815, 195}, tab);
}

FormTable BuildTable() {
  FormTable table = WindowTable(kScanOptionsForm, "Scan Options", 5100, 3165);
  table.border = Border::FixedDialog;
  table.showInTaskbar = false;
  table.modal = true;
  auto& c = table.controls;
  c.push_back(
      LabelRow("TitleText", "Scan Options", {120, 120, 3615, 495}, 0).WithFont(Look::TitleFont()));
  c.push_back(LabelRow("WelcomeText",
                       "Define elements to include in your scan when checking for inventories.",
                       {120, 600, 4815, 495}, 2)
                  .WithFont(Look::WelcomeFont())
                  .Flags(kWrap));
  c.push_back(LabelRow("Label1", "When scanning:", {120, 1200, 2295, 255}, 4)
                  .WithFont(Look::SansSerifBold()));
  c.push_back(CheckBox(kCheckV3, "Check for Windows Update V2/V3.1 inventories", 1440, 1));
  c.push_back(CheckBox(kCheckV4, "Check for Windows Update V4 inventories", 1800, 3));
  c.push_back(CheckBox(kCheckOU, "Check for Office Update inventories", 2160, 5));
  c.push_back(ButtonRow(kCancelButton, "Cancel", {2640, 2640, 1215, 375}, 7));
  c.push_back(
      ButtonRow(kOkButton, "OK", {3960, 2640, 975, 375}, 6).WithFont(Look::SansSerifBold()));
  return table;
}

class ScanOptionsForm final : public Form {
 public:
  const FormTable& Table() const override {
    static const FormTable table = BuildTable();
    return table;
  }

  void OnLoad(Toolkit& tk) override {
    tk.Get(kScanOptionsForm, kCheckV3).SetChecked(ScanOptions::ScanV3Inventories ? 1 : 0);
    tk.Get(kScanOptionsForm, kCheckV4).SetChecked(ScanOptions::ScanV4Inventories ? 1 : 0);
    tk.Get(kScanOptionsForm, kCheckOU).SetChecked(ScanOptions::ScanOUInventories ? 1 : 0);
  }

  void OnClick(Toolkit& tk, const std::string& control) override {
    if (control == kOkButton) {
      Accept(tk);
    } else if (control == kCancelButton) {
      tk.Unload(kScanOptionsForm);
    }
  }

  // The close box is Cancel: the toolkit unloads the window, no flag changes.

 private:
  // A scan with nothing to look for is refused; the dialog then stays open.
  static void Accept(Toolkit& tk) {
    const bool v3 = tk.Get(kScanOptionsForm, kCheckV3).Checked() == 1;
    const bool v4 = tk.Get(kScanOptionsForm, kCheckV4).Checked() == 1;
    const bool ou = tk.Get(kScanOptionsForm, kCheckOU).Checked() == 1;
    if (!v3 && !v4 && !ou) {
      UserDialogs::ShowMessage("You must select at least one option to start a scan.",
                               UserDialogs::Icon::Critical);
      return;
    }
    ScanOptions::ScanV3Inventories = v3;
    ScanOptions::ScanV4Inventories = v4;
    ScanOptions::ScanOUInventories = ou;
    tk.Unload(kScanOptionsForm);
  }
};

}  // namespace

std::unique_ptr<Form> MakeScanOptionsForm() { return std::make_unique<ScanOptionsForm>(); }

}  // namespace ui
