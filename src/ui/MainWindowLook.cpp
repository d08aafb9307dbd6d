#include "ui/MainWindowLook.h"

#include "ui/ControlTable.h"
#include "ui/Look.h"

namespace ui::MainWindowLook {

void AddHeader(FormTable& table, const Header& header) {
  table.controls.push_back(
      Row(kBandName, ControlKind::PictureBox, "", {0, -header.raise, 7455, 1575}, header.bandTab)
          .BackColor(Look::kWhite)
          .Flags(kNoBorder));
  table.controls.push_back(ButtonRow(header.aboutButton, "?", {6720, 240, 495, 375}, header.aboutTab)
                              .In(kBandName)
                              .WithFont(Look::SansSerifBold())
                              .Tip("About the Quillfen"));
  table.controls.push_back(Row(kBannerName, ControlKind::PictureBox, "",
                              {840, 120 - header.raise, 5775, 1335}, header.bannerTab)
                              .BackColor(Look::kWhite)
                              .Flags(kBanner | kNoBorder));
}

ControlRow TitleLabel(const std::string& text, Rect rect, int tabIndex) {
  return LabelRow("TitleText", text, rect, tabIndex).WithFont(Look::TitleFont());
}

ControlRow WelcomeLabel(const std::string& text, Rect rect, int tabIndex) {
  return LabelRow("WelcomeText", text, rect, tabIndex).WithFont(Look::WelcomeFont()).Flags(kWrap);
}

ControlRow Pointer(const std::string& name, int left, int top, int height, int tabIndex,
                    const std::string& container) {
  return LabelRow(name, ">", {left, top, 255, height}, tabIndex)
      .In(container)
      .WithFont(Look::ArialLarge());
}

}  // namespace ui::MainWindowLook
