// The about window: its version line, and the keys that close it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiWorld.h"
#include "ui/ABOUT_FRM.h"
#include "ui/FormNames.h"

namespace uitest {
namespace {

TEST(AboutVersion, TheRevisionShowsOnlyWhenThereIsOne) {
  EXPECT_EQ(ui::VersionText(1, 0, 0), "Version 1.0");
  EXPECT_EQ(ui::VersionText(1, 0, 5), "Version 1.0.5");
  EXPECT_EQ(ui::VersionText(12, 30, 407), "Version 12.30.407");
}

class AboutWindow : public UiWorld {};

TEST_F(AboutWindow, ShowsTheProgramsVersionAndClosesOnOkEnterOrEsc) {
  tk.Start();
  std::vector<std::string> versions;
  auto readThenPress = [&](bool (TestToolkit::*press)(const std::string&)) {
    return [&, press] {
      versions.push_back(tk.Find(ui::kAboutForm, "lblVersion")->Text());
      EXPECT_TRUE((tk.*press)(ui::kAboutForm));
    };
  };
  tk.WhenModal(ui::kAboutForm, readThenPress(&TestToolkit::PressEnter));
  tk.WhenModal(ui::kAboutForm, readThenPress(&TestToolkit::PressEscape));
  tk.WhenModal(ui::kAboutForm, [&] { tk.Click(ui::kAboutForm, "cmdOK"); });
  for (int i = 0; i < 3; ++i) tk.Click(ui::kBeginForm, "Command1");
  EXPECT_EQ(versions, (std::vector<std::string>{"Version 1.0.5", "Version 1.0.5"}));
  // None of them needed the close box, and the home window is as it was.
  for (const std::string& step : tk.Transcript()) EXPECT_NE(step, "close ABOUT_FRM");
  EXPECT_EQ(tk.LoadedForms(), std::vector<std::string>{ui::kBeginForm});
  EXPECT_TRUE(dialogs.calls.empty());
}

}  // namespace
}  // namespace uitest
