// The progress window while its scan runs, on a real X display (Xvfb): the scan keeps the
// event loop away until it ends, so the window must be on the screen, painted whole, before
// the scan starts. The picture comes from the X server, taken by a thread of the test's own
// while the program's thread is inside the scan. Elsewhere there is nothing to look at.
#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <chrono>
#include <future>
#include <thread>

#include "QtTestSupport.h"
#include "X11Screen.h"
#include "support/Pictures.h"
#include "support/WindowsMachine.h"
#include "ui/qt/QtToolkit.h"

namespace {

constexpr const char* kProgress = "CHECK_FRM";

// A window of the program whose activation first calls `before`: the progress window's scan
// held back, or left out.
class HeldForm final : public ui::Form {
 public:
  HeldForm(std::unique_ptr<ui::Form> inner, std::function<void()> before, bool thenActivate)
      : inner_(std::move(inner)), before_(std::move(before)), thenActivate_(thenActivate) {}
  const ui::FormTable& Table() const override { return inner_->Table(); }
  void OnLoad(ui::Toolkit& tk) override { inner_->OnLoad(tk); }
  void OnClick(ui::Toolkit& tk, const std::string& control) override { inner_->OnClick(tk, control); }
  bool OnCloseBox(ui::Toolkit& tk) override { return inner_->OnCloseBox(tk); }
  void OnActivate(ui::Toolkit& tk) override {
    if (before_) before_();
    if (thenActivate_) inner_->OnActivate(tk);
  }

 private:
  std::unique_ptr<ui::Form> inner_;
  std::function<void()> before_;
  bool thenActivate_;
};

// The progress window's client area on the screen.
QRect ClientOnScreen(QWidget* window) {
  return window ? QRect(window->mapToGlobal(QPoint(0, 0)), window->size()) : QRect();
}

testsupport::Pixels Picture(const qttest::X11Screen& screen, const QRect& place) {
  return screen.Pixels(place.x(), place.y(), place.width(), place.height());
}

}  // namespace

class ProgressPaintTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { QCOMPARE(qttest::LeftoverWindows(), QStringList()); }
  void theProgressWindowIsPaintedWholeWhileTheScanRuns();
};

void ProgressPaintTest::theProgressWindowIsPaintedWholeWhileTheScanRuns() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X display");
  const qttest::X11Screen screen;
  QVERIFY(screen.Open());
  testsupport::WindowsMachine machine;
  machine.tree.File("c/Program Files/WindowsUpdate/a.w98", "x", 2004);

  // The window at rest, its activation doing nothing, once everything has been painted.
  testsupport::Pixels still;
  QRect place;
  {
    QtUi::QtToolkit idle(
        [](const std::string& name) -> std::unique_ptr<ui::Form> {
          return std::make_unique<HeldForm>(ui::MakeForm(name), nullptr, false);
        },
        [] {});
    idle.Show(kProgress);
    QVERIFY(QTest::qWaitForWindowExposed(idle.Window(kProgress)));
    QTest::qWait(500);
    place = ClientOnScreen(idle.Window(kProgress));
    still = Picture(screen, place);
    idle.Unload(kProgress);
    qttest::Settle();
  }
  QVERIFY(!still.empty());

  // The same window while the program's thread is inside its scan, which waits until the
  // picture has been taken.
  std::promise<QRect> started;
  std::promise<void> pictured;
  testsupport::Pixels shown;
  std::thread camera([&] {
    const QRect at = started.get_future().get();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // whatever would still land
    shown = Picture(screen, at);
    pictured.set_value();
  });
  bool ended = false;
  QtUi::QtToolkit* running = nullptr;
  QtUi::QtToolkit program(
      [&](const std::string& name) -> std::unique_ptr<ui::Form> {
        if (name != kProgress) return ui::MakeForm(name);
        auto hold = [&] {
          started.set_value(ClientOnScreen(running->Window(kProgress)));
          pictured.get_future().wait_for(std::chrono::seconds(10));
        };
        return std::make_unique<HeldForm>(ui::MakeForm(name), hold, true);
      },
      [&] { ended = true; });
  running = &program;
  program.Show("BEGIN_FRM");
  QVERIFY(QTest::qWaitForWindowActive(program.Window("BEGIN_FRM")));
  QVERIFY(qttest::ClickButton(program.Window("BEGIN_FRM"), "Command2"));
  qttest::Settle();
  QVERIFY(QTest::qWaitForWindowActive(program.Window("LOCALSCAN_FRM")));
  // Returns once the scan has ended and the progress window has gone.
  QVERIFY(qttest::ClickButton(program.Window("LOCALSCAN_FRM"), "ScanButton"));
  camera.join();
  QVERIFY(!program.IsLoaded(kProgress));
  QVERIFY(machine.tree.Exists("c/CVL_SAVE/a.w98"));
  program.Unload("LOCALSCAN_FRM");
  qttest::Settle();

  QCOMPARE(QString::fromStdString(testsupport::RowsThatDiffer(shown, still, place.width())), QString());
}

QTEST_MAIN(ProgressPaintTest)
#include "x11_progresspaint.moc"
