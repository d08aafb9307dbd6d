// The progress window: runs the scan of this computer as soon as it is active, then is gone.
#include "scan/ConsoleTools.h"
#include "scan/ScanProcess.h"
#include "scan/TimeTools.h"
#include "system/UserDialogs.h"
#include "ui/ControlTable.h"
#include "ui/FormFactories.h"
#include "ui/FormNames.h"
#include "ui/Look.h"

namespace ui {
namespace {

constexpr const char* kCancelButton = "Command1";

FormTable BuildTable() {
  FormTable table = WindowTable(kCheckForm, "Scanning your computer...", 5400, 2040);
  table.hasIcon = false;
  table.closeBox = false;  // only the scan or Cancel close this window
  table.modal = true;
  auto& c = table.controls;
  c.push_back(LabelRow("TitleLabel", "Scanning your computer...", {120, 120, 5055, 495}, 0)
                  .WithFont(Look::ArialLarge()));
  // Flat and never moved: the scan reports nothing while it runs.
  c.push_back(Row("LoadBar", ControlKind::ProgressBar, "", {120, 1080, 5175, 375}, 1).Flags(kFlat));
  c.push_back(LabelRow("Label2",
                       "The Quillfen Tool is scanning your computer for Windows Update "
                       "inventories. This may take a few seconds. Please wait...",
                       {120, 480, 5175, 495}, 2)
                  .Flags(kWrap));
  c.push_back(ButtonRow(kCancelButton, "Cancel", {3600, 1560, 1695, 435}, 3).Flags(kCancel));
  return table;
}

// The scan closes the window through this when it ends.
class Closer final : public ScreenPorts::Window {
 public:
  explicit Closer(Toolkit& tk) : tk_(tk) {}
  void Unload() override { tk_.Unload(kCheckForm); }

 private:
  Toolkit& tk_;
};

class CheckForm final : public Form {
 public:
  const FormTable& Table() const override {
    static const FormTable table = BuildTable();
    return table;
  }

  // Every activation runs one scan, and every scan ends by unloading this window.
  void OnActivate(Toolkit& tk) override {
    Closer closer(tk);
    ScanProcess::ScanLocalComputer(tk.Get(kLocalScanForm, kScanConsole), closer,
                                   tk.Get(kLocalScanForm, kOpenDirButton));
  }

  // Cancel cannot stop a running scan; it acts only when the window is idle.
  void OnClick(Toolkit& tk, const std::string& control) override {
    if (control != kCancelButton) return;
    UserDialogs::ShowMessage("You have cancelled the scan.", UserDialogs::Icon::Critical);
    ConsoleTools::ConsoleWrite(tk.Get(kLocalScanForm, kScanConsole),
                               TimeTools::NowText() + " - The scan has been cancelled by the user.",
                               true);
    tk.Unload(kCheckForm);
  }

  bool OnCloseBox(Toolkit&) override { return false; }
};

}  // namespace

std::unique_ptr<Form> MakeCheckForm() { return std::make_unique<CheckForm>(); }

}  // namespace ui
