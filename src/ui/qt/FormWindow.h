#pragma once
// One loaded window: its table drawn as a top-level Qt widget, owning the window's logic.
// What the user does to it (activation, a button, the close box) is passed on to the
// toolkit, which runs the handlers.
#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/qt/QtControls.h"

namespace QtUi {

class FormWindow;

// The toolkit's side of a window's events.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void Activated(FormWindow& window) = 0;
  virtual void Clicked(FormWindow& window, const std::string& control) = 0;
  virtual void CloseBoxPressed(FormWindow& window) = 0;
};

class FormWindow final : public QWidget {
  Q_OBJECT

 public:
  FormWindow(std::unique_ptr<ui::Form> logic, WindowEvents& events);
  ~FormWindow() override;

  const std::string& Name() const { return name_; }
  ui::Form& Logic() { return *logic_; }
  // A control by name, or null.
  ui::Control* Find(const std::string& control);

  // Centres the window on the screen and shows it; a modal window stays above `owner`.
  void Present(QWidget* owner);
  // Runs `work` from the event loop once the window has been painted on screen, painting it
  // again synchronously just before, so that it stands whole on the screen while `work` runs.
  void AfterPaint(std::function<void()> work);
  // While shown modally: the loop that ShowModal runs until the window is unloaded.
  void SetModalLoop(QEventLoop* loop) { modalLoop_ = loop; }
  // Hides the window for good; it is deleted once control is back in the event loop, so a
  // handler of its own may call this.
  void Dismiss();
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

  std::unique_ptr<ui::Form> logic_;
  WindowEvents& events_;
  std::string name_;
  std::map<std::string, std::unique_ptr<WidgetControl>> controls_;
  QPointer<QEventLoop> modalLoop_;
  std::vector<std::function<void()>> afterPaint_;
  bool painted_ = false;
  bool dismissed_ = false;
};

}  // namespace QtUi
