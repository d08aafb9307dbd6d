// The rules of window life (ui/WindowManager.h) on windows of the test's own, through the test
// toolkit: those the navigation table does not reach. The Qt windows' own run is tst_toolkit.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "TestToolkit.h"
#include "support/ScriptedForm.h"

namespace uitest {
namespace {

using testsupport::Chain;
using testsupport::ScriptedForm;
using Log = std::vector<std::string>;

class WindowLife : public ::testing::Test {
 protected:
  std::size_t Count(const std::string& entry) const {
    return static_cast<std::size_t>(std::count(book.log.begin(), book.log.end(), entry));
  }

  testsupport::FormBook book;
  std::unique_ptr<TestToolkit> tk;
};

TEST_F(WindowLife, AWindowUpModallyIsNotShownModallyAgainButActivatesOnce) {
  book.Add("MAIN", [](ScriptedForm& f) {
    f.click = Chain(f.click, [](ui::Toolkit& tk, const std::string&) { tk.ShowModal("DIALOG"); });
  });
  book.Add("DIALOG", [](ScriptedForm& f) {
    // Its activation asks for it modally again, as a handler of another window might.
    f.activate = Chain(f.activate, [](ui::Toolkit& tk) { tk.ShowModal("DIALOG"); });
  });
  tk = std::make_unique<TestToolkit>(book.Maker());
  tk->Start("MAIN");
  // Its OK does nothing; the close box then closes it.
  tk->WhenModal("DIALOG", [&] { tk->Click("DIALOG", "OK"); });
  ASSERT_TRUE(tk->Click("MAIN", "OK"));
  const Log transcript = tk->Transcript();
  EXPECT_EQ(std::count(transcript.begin(), transcript.end(), "modal DIALOG"), 1);
  EXPECT_EQ(Count("activate DIALOG"), 1u);
  EXPECT_EQ(tk->LoadedForms(), Log{"MAIN"});
  EXPECT_TRUE(tk->ModalStack().empty());
  // Back from the dialog the main window is the active one again: a change, so it runs.
  EXPECT_EQ(Count("activate MAIN"), 2u);
}

TEST_F(WindowLife, AWindowThatUnloadsItselfKeepsItsControlsUntilItsHandlerReturns) {
  std::string seen;
  book.Add("A", [&](ScriptedForm& f) {
    f.table.controls.push_back(testsupport::Row("Caption", ui::ControlKind::Label, {0, 0, 900, 255}));
    f.click = Chain(f.click, [&](ui::Toolkit& tk, const std::string&) {
      ui::Control& caption = tk.Get("A", "Caption");
      caption.SetText("still here");
      tk.Unload("A");
      seen = caption.Text();  // freed only once this handler has returned
      tk.Show("B");
    });
  });
  book.Add("B");
  tk = std::make_unique<TestToolkit>(book.Maker());
  tk->Start("A");
  ASSERT_TRUE(tk->Click("A", "OK"));
  EXPECT_EQ(seen, "still here");
  EXPECT_EQ(tk->LoadedForms(), Log{"B"});
  EXPECT_FALSE(tk->Ended()) << "the next window was shown before the check for the end ran";
}

TEST_F(WindowLife, NothingLoadsOnceTheProgramHasEnded) {
  book.Add("A", [](ScriptedForm& f) {
    f.click = Chain(f.click, [](ui::Toolkit& tk, const std::string&) {
      tk.EndProgram();
      tk.Show("B");
      tk.Get("B", "OK").SetText("lost");
    });
  });
  book.Add("B");
  tk = std::make_unique<TestToolkit>(book.Maker());
  tk->Start("A");
  tk->ClearTranscript();
  ASSERT_TRUE(tk->Click("A", "OK"));
  EXPECT_TRUE(tk->Ended());
  EXPECT_EQ(tk->Transcript(), Log{"end"});
  EXPECT_EQ(Count("load B"), 0u);
  EXPECT_TRUE(tk->LoadedForms().empty());
}

}  // namespace
}  // namespace uitest
