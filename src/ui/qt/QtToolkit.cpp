#include "ui/qt/QtToolkit.h"

#include <QApplication>
#include <QEventLoop>
#include <QtDebug>

#include "ui/qt/ProgramLook.h"

namespace QtUi {

QtToolkit::QtToolkit(FormMaker makeForm, ProgramEnd endProgram)
    : makeForm_(std::move(makeForm)), endProgram_(std::move(endProgram)) {
  if (!endProgram_) endProgram_ = [] { QCoreApplication::exit(0); };
  UseProgramLook();
}

QtToolkit::~QtToolkit() {
  for (auto& [name, window] : windows_) delete window.data();
}

FormWindow* QtToolkit::Loaded(const std::string& form) const {
  auto it = windows_.find(form);
  return it == windows_.end() ? nullptr : it->second.data();
}

FormWindow* QtToolkit::Load(const std::string& form) {
  if (FormWindow* window = Loaded(form)) return window;
  std::unique_ptr<ui::Form> logic = makeForm_ ? makeForm_(form) : nullptr;
  if (!logic) {
    qWarning("Quillfen: no window named %s", form.c_str());
    return nullptr;
  }
  auto* window = new FormWindow(std::move(logic), *this);
  windows_[form] = window;
  window->Logic().OnLoad(*this);
  return Loaded(form);  // the load step may have unloaded it again
}

ui::Control& QtToolkit::Get(const std::string& form, const std::string& control) {
  static InertControl nothing;
  FormWindow* window = Load(form);
  ui::Control* found = window ? window->Find(control) : nullptr;
  if (!found) {
    qWarning("Quillfen: no control %s on window %s", control.c_str(), form.c_str());
    return nothing;
  }
  return *found;
}

QWidget* QtToolkit::ActiveProgramWindow() const {
  QWidget* active = QApplication::activeWindow();
  for (const auto& [name, window] : windows_)
    if (window && window == active && !window->Dismissed()) return active;
  return nullptr;
}

void QtToolkit::Show(const std::string& form) {
  FormWindow* window = Load(form);
  if (!window) return;
  if (window->isVisible()) {
    window->raise();
    window->activateWindow();
    return;
  }
  window->Present(nullptr);
}

void QtToolkit::ShowModal(const std::string& form) {
  QWidget* owner = ActiveProgramWindow();
  QPointer<FormWindow> window = Load(form);
  if (!window) return;
  if (window->isVisible()) {
    // Already on screen: a second modal showing of one window would nest a second loop.
    window->activateWindow();
    return;
  }
  if (owner == window) owner = nullptr;
  window->setWindowModality(Qt::ApplicationModal);
  window->Present(owner);
  if (!window || window->Dismissed()) return;
  QEventLoop loop;
  window->SetModalLoop(&loop);
  loop.exec(QEventLoop::DialogExec);
}

void QtToolkit::Unload(const std::string& form) {
  auto it = windows_.find(form);
  if (it == windows_.end()) return;
  QPointer<FormWindow> window = it->second;
  windows_.erase(it);
  if (lastActive_ == form) lastActive_.clear();
  if (window) window->Dismiss();
  // Checked once the running handler has returned: a handler that unloads its window and
  // then shows the next one keeps the program alive.
  QMetaObject::invokeMethod(this, [this] { EndWhenNoWindowIsLeft(); }, Qt::QueuedConnection);
}

bool QtToolkit::IsLoaded(const std::string& form) const { return Loaded(form) != nullptr; }

void QtToolkit::EndProgram() {
  if (ended_) return;
  ended_ = true;
  for (auto& [name, window] : windows_)
    if (window) window->Dismiss();
  windows_.clear();
  lastActive_.clear();
  endProgram_();
}

void QtToolkit::EndWhenNoWindowIsLeft() {
  if (!ended_ && windows_.empty()) EndProgram();
}

QWidget* QtToolkit::Window(const std::string& form) const { return Loaded(form); }

void QtToolkit::Activated(FormWindow& window) {
  // Only a change from one window of the program to another counts: coming back from a
  // message box, a folder picker or another program does not activate the window again.
  if (lastActive_ == window.Name()) return;
  lastActive_ = window.Name();
  QPointer<FormWindow> guard(&window);
  window.AfterPaint([this, guard] {
    if (guard && !guard->Dismissed()) guard->Logic().OnActivate(*this);
  });
}

void QtToolkit::Clicked(FormWindow& window, const std::string& control) {
  window.Logic().OnClick(*this, control);
}

void QtToolkit::CloseBoxPressed(FormWindow& window) {
  if (window.Logic().OnCloseBox(*this)) Unload(window.Name());
}

}  // namespace QtUi
