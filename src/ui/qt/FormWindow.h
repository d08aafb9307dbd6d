#pragma once
// One loaded window: its table drawn as a top-level Qt widget. What the user does to it
// (activation, a button, Enter or Esc, the close box) is passed on to the window manager,
// which runs the handlers.
#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/DrawnWindow.h"
#include "ui/FormTable.h"
#include "ui/qt/QtControls.h"

namespace QtUi {

class FormWindow final : public QWidget, public ui::DrawnWindow {
  Q_OBJECT

 public:
  // `table` outlives the window (the window manager owns both).
  FormWindow(const ui::FormTable& table, ui::WindowEvents& events);
  ~FormWindow() override;

  ui::Control* Find(const std::string& control) override;
  bool OnScreen() const override { return isVisible(); }
  void Present() override { PresentOver(nullptr); }
  void BringToFront() override;
  // Runs `work` from the event loop once the window has been painted on screen, painting it
  // again synchronously just before, so that it stands whole on the screen while `work` runs.
  void AfterPaint(std::function<void()> work) override;
  // Hides the window for good and leaves its modal loop.
  void Dismiss() override;

  // Centres the window on the screen and shows it; a modal window stays above `owner`.
  void PresentOver(QWidget* owner);
  // While shown modally: the loop that runs until the window is unloaded.
  void SetModalLoop(QEventLoop* loop) { modalLoop_ = loop; }
  bool Dismissed() const { return dismissed_; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SetUpWindow(const ui::FormTable& table);
  void DrawControls(const ui::FormTable& table);
  void SetTabOrder(const ui::FormTable& table);
  // The focus goes where the keyboard rule puts it when a window opens.
  void GiveFirstFocus();
  // The control that has the focus (or holds the widget that has it); empty when none.
  std::string FocusedControl() const;
  void PressIfUsable(const std::string& control);

  const ui::FormTable& table_;
  ui::WindowEvents& events_;
  std::map<std::string, std::unique_ptr<WidgetControl>> controls_;
  QPointer<QEventLoop> modalLoop_;
  std::vector<std::function<void()>> afterPaint_;
  bool painted_ = false;
  bool dismissed_ = false;
};

}  // namespace QtUi
