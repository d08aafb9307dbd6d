// The about window: name, version, credit, description, notice and web address.
#include "ui/ABOUT_FRM.h"

#include "ui/AppVersion.h"
#include "ui/ControlTable.h"
#include "ui/FormFactories.h"
#include "ui/FormNames.h"
#include "ui/Look.h"

namespace ui {

std::string VersionText(int major, int minor, int revision) {
  std::string text = "Version " + std::to_string(major) + "." + std::to_string(minor);
  if (revision > 0) text += "." + std::to_string(revision);
  return text;
}

namespace {

constexpr const char* kOkButton = "cmdOK";
constexpr const char* kVersionLabel = "lblVersion";

FormTable BuildTable() {
  FormTable table = WindowTable(kAboutForm, "About the Quillfen", 5730, 4470);
  table.border = Border::FixedDialog;
  table.showInTaskbar = false;
  table.modal = true;
  auto& c = table.controls;
  // The one command button of the program with the normal arrow pointer.
  c.push_back(Row(kOkButton, ControlKind::CommandButton, "OK", {4245, 3945, 1260, 345}, 0)
                  .Flags(kDefault | kCancel));
  c.push_back(Row("picIcon", ControlKind::PictureBox, "", {240, 240, 480, 480}, 1)
                  .Flags(kAppIcon | kNoBorder));
  c.push_back(LabelRow("lblDescription",
                       "The Quillfen Tool is a one of the multiple tools Corvalen has developed "
                       "to help users get Windows Update to work again on their systems. This "
                       "particular tool has for purpose to help users locate original Windows "
                       "Update inventories on their computers and make a backup that can later "
                       "be sent to Corvalen.",
                       {1080, 1680, 3885, 1410}, 2)
                  .TextColor(Look::kBlack)
                  .Flags(kWrap));
  c.push_back(LabelRow("lblTitle", "Corvalen Quillfen Tool", {1050, 240, 4125, 480}, 3)
                  .WithFont(Look::SansSerifBold())
                  .TextColor(Look::kBlack));
  c.push_back(LabelRow(kVersionLabel, "Version", {1050, 780, 3885, 225}, 4));
  c.push_back(LabelRow("Label1", "Developer: Ari Lund", {1080, 1200, 1695, 255}, 5));
  c.push_back(LabelRow("Label2",
                       "This project and program are not endorsed by or affiliated with "
                       "Microsoft Corporation.",
                       {1080, 3240, 3975, 375}, 6)
                  .WithFont(Look::SansSerifBold())
                  .Flags(kWrap));
  // Plain text, not a link.
  c.push_back(LabelRow("Label3", "https://corvalen.org", {240, 3984, 2535, 255}, 7));
  // The etched separator above the bottom row: a grey line with a white one under it.
  table.lines.push_back({90, 3765, 5654, 3765, Look::kGrey, 1});
  table.lines.push_back({105, 3780, 5654, 3780, Look::kWhite, 2});
  return table;
}

class AboutForm final : public Form {
 public:
  const FormTable& Table() const override {
    static const FormTable table = BuildTable();
    return table;
  }

  void OnLoad(Toolkit& tk) override {
    tk.Get(kAboutForm, kVersionLabel)
        .SetText(VersionText(AppVersion::kMajor, AppVersion::kMinor, AppVersion::kRevision));
  }

  void OnClick(Toolkit& tk, const std::string& control) override {
    if (control == kOkButton) tk.Unload(kAboutForm);
  }
};

}  // namespace

std::unique_ptr<Form> MakeAboutForm() { return std::make_unique<AboutForm>(); }

}  // namespace ui
