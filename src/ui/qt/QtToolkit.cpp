#include "ui/qt/QtToolkit.h"

#include <QApplication>
#include <QEventLoop>
#include <QtDebug>

#include "ui/qt/FormWindow.h"
#include "ui/qt/ProgramLook.h"

namespace QtUi {

QtToolkit::QtToolkit(FormMaker makeForm, ProgramEnd endProgram)
    : WindowManager(std::move(makeForm)), endProgram_(std::move(endProgram)) {
  if (!endProgram_) endProgram_ = [] { QCoreApplication::exit(0); };
  UseProgramLook();
}

QtToolkit::~QtToolkit() { CloseAll(); }

QWidget* QtToolkit::Window(const std::string& form) const {
  return static_cast<FormWindow*>(Drawn(form));
}

std::unique_ptr<ui::DrawnWindow> QtToolkit::Draw(const ui::FormTable& table) {
  return std::make_unique<FormWindow>(table, Events());
}

QWidget* QtToolkit::ActiveProgramWindow() const {
  QWidget* active = QApplication::activeWindow();
  for (ui::DrawnWindow* window : AllDrawn())
    if (static_cast<FormWindow*>(window) == active) return active;
  return nullptr;
}

void QtToolkit::RunModal(ui::DrawnWindow& drawn) {
  auto& window = static_cast<FormWindow&>(drawn);
  QWidget* owner = ActiveProgramWindow();
  if (owner == &window) owner = nullptr;
  window.setWindowModality(Qt::ApplicationModal);
  window.PresentOver(owner);
  if (window.Dismissed()) return;
  QEventLoop loop;
  window.SetModalLoop(&loop);
  loop.exec(QEventLoop::DialogExec);
}

void QtToolkit::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(&posts_, std::move(call), Qt::QueuedConnection);
}

void QtToolkit::Missing(const std::string& form, const std::string& control) {
  if (control.empty())
    qWarning("Quillfen: no window named %s", form.c_str());
  else
    qWarning("Quillfen: no control %s on window %s", control.c_str(), form.c_str());
}

}  // namespace QtUi
