// The progress window while its scan runs: the scan keeps the message loop away until it
// ends, so the window must be on screen, painted whole, before the scan starts. The picture is
// taken from the screen by the test's thread while the program's thread is inside the scan.
#include <windows.h>

#include <vector>

#include "ProgramTest.h"
#include "ui/FormNames.h"
#include "ui/win32/Layout.h"

namespace wintest {
namespace {

// The progress window, its scan held back until the test has taken its picture: a scan that
// lasts as long as the test needs.
class SlowScan final : public ui::Form {
 public:
  SlowScan(std::unique_ptr<ui::Form> inner, HANDLE started, HANDLE pictured)
      : inner_(std::move(inner)), started_(started), pictured_(pictured) {}
  const ui::FormTable& Table() const override { return inner_->Table(); }
  void OnLoad(ui::Toolkit& tk) override { inner_->OnLoad(tk); }
  void OnClick(ui::Toolkit& tk, const std::string& control) override { inner_->OnClick(tk, control); }
  bool OnCloseBox(ui::Toolkit& tk) override { return inner_->OnCloseBox(tk); }
  void OnActivate(ui::Toolkit& tk) override {
    SetEvent(started_);
    WaitForSingleObject(pictured_, 10000);
    inner_->OnActivate(tk);
  }

 private:
  std::unique_ptr<ui::Form> inner_;
  HANDLE started_;
  HANDLE pictured_;
};

// A manual-reset event, closed with its scope.
struct Event {
  Event() : handle(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Event() { CloseHandle(handle); }
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  HANDLE handle;
};

// Sets an event when the scope ends, however it ends.
struct SetOnExit {
  HANDLE event;
  ~SetOnExit() { SetEvent(event); }
};

// A window's client area as the screen shows it.
testsupport::Pixels ClientPixels(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&client, origin.x, origin.y);
  return ScreenPixels(client);
}

TEST_F(ProgramTest, TheProgressWindowIsPaintedWholeWhileTheScanRuns) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "x", 2004);
  const int width = Px(TableOf(ui::kCheckForm).clientWidth);

  // The window at rest, its activation doing nothing, once everything has been painted.
  testsupport::Pixels still;
  {
    ProgramRun idle(testsupport::StillForms(), ui::kCheckForm);
    Sleep(500);
    ASSERT_NE(idle.Form(ui::kCheckForm), nullptr);
    still = ClientPixels(idle.Form(ui::kCheckForm));
  }
  ASSERT_FALSE(still.empty());

  const Event started, pictured;
  testsupport::Pixels shown;
  {
    ProgramRun program([&](const std::string& name) -> std::unique_ptr<ui::Form> {
      auto form = ui::MakeForm(name);
      if (name != ui::kCheckForm) return form;
      return std::make_unique<SlowScan>(std::move(form), started.handle, pictured.handle);
    });
    const SetOnExit goOn{pictured.handle};  // the scan goes on, whatever happens here
    ASSERT_TRUE(program.Click(ui::kBeginForm, "Command2"));
    // Pressed without waiting: the press returns only when the scan has ended.
    PostMessageA(program.Control(ui::kLocalScanForm, "ScanButton"), BM_CLICK, 0, 0);
    ASSERT_EQ(WaitForSingleObject(started.handle, 10000), WAIT_OBJECT_0) << "the scan never started";
    Sleep(500);  // whatever would still reach the screen without the message loop, has
    // Found without a message to the busy thread, which would answer none.
    const HWND busy = FindWindowA(Win32Ui::kFormClass, TableOf(ui::kCheckForm).caption.c_str());
    ASSERT_NE(busy, nullptr);
    shown = ClientPixels(busy);
    SetEvent(pictured.handle);
    EXPECT_TRUE(program.WaitFor([&] { return program.OpenForms() == std::vector<std::string>{ui::kLocalScanForm}; }));
    EXPECT_TRUE(tree.Exists("c/CVL_SAVE/a.w98")) << "the scan ran to its end";
  }
  EXPECT_EQ(testsupport::RowsThatDiffer(shown, still, width), "")
      << "rows of the window not painted as at rest";
}

}  // namespace
}  // namespace wintest
