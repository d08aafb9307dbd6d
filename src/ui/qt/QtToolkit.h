#pragma once
// The toolkit drawn with Qt Widgets: the window manager's rules (ui/WindowManager.h) over
// top-level widgets, a modal window's nested QEventLoop, and calls queued to the event loop.
#include <QObject>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "ui/WindowManager.h"

namespace QtUi {

class QtToolkit final : public ui::WindowManager {
 public:
  using ProgramEnd = std::function<void()>;

  // `makeForm` makes a window's logic by name (ui::MakeForm in the program). `endProgram`
  // is what ending the program does; by default it leaves the application's event loops.
  explicit QtToolkit(FormMaker makeForm, ProgramEnd endProgram = {});
  ~QtToolkit() override;

  // The top-level widget of a loaded window, or null.
  QWidget* Window(const std::string& form) const;

 private:
  std::unique_ptr<ui::DrawnWindow> Draw(const ui::FormTable& table) override;
  void RunModal(ui::DrawnWindow& window) override;
  void Post(std::function<void()> call) override;
  void LeaveEventLoops() override { endProgram_(); }
  void Missing(const std::string& form, const std::string& control) override;

  // The program's window that is the application's active window, or null.
  QWidget* ActiveProgramWindow() const;

  ProgramEnd endProgram_;
  QObject posts_;  // what Post queues goes with the toolkit
};

}  // namespace QtUi
