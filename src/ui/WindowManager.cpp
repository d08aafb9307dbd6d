#include "ui/WindowManager.h"

#include <utility>

#include "ui/InertControl.h"

namespace ui {

// One loaded window: its logic, and its drawing, which shows the logic's table and so goes
// first. A serial number tells this life of the window from a later one of the same name.
struct WindowManager::Record {
  std::string name;
  std::uint64_t serial = 0;
  std::unique_ptr<Form> form;
  std::unique_ptr<DrawnWindow> window;
  int holds = 0;  // handlers of the window that run, and its modal showing
};

WindowManager::WindowManager(FormMaker makeForm) : makeForm_(std::move(makeForm)) {}

WindowManager::~WindowManager() { CloseAll(); }

void WindowManager::Missing(const std::string&, const std::string&) {}

WindowManager::Record* WindowManager::Loaded(const std::string& form) const {
  auto it = loaded_.find(form);
  return it == loaded_.end() ? nullptr : it->second.get();
}

WindowManager::Record* WindowManager::LoadedWith(const DrawnWindow& window) const {
  for (const auto& [name, record] : loaded_)
    if (record->window.get() == &window) return record.get();
  return nullptr;
}

WindowManager::Record* WindowManager::LoadedWith(std::uint64_t serial) const {
  for (const auto& [name, record] : loaded_)
    if (record->serial == serial) return record.get();
  return nullptr;
}

bool WindowManager::Gone(const Record& record) const { return LoadedWith(record.serial) != &record; }

DrawnWindow* WindowManager::Load(const std::string& form) {
  if (Record* loaded = Loaded(form)) return loaded->window.get();
  if (ended_) return nullptr;
  std::unique_ptr<Form> logic = makeForm_ ? makeForm_(form) : nullptr;
  if (!logic) {
    Missing(form, {});
    return nullptr;
  }
  auto record = std::make_unique<Record>();
  record->name = form;
  record->serial = ++serials_;
  record->form = std::move(logic);
  record->window = Draw(record->form->Table());
  if (!record->window) return nullptr;
  Record& made = *record;
  loaded_[form] = std::move(record);
  RunHandler(made, [&] { made.form->OnLoad(*this); });
  Record* still = Loaded(form);  // the load step may have unloaded it again
  return still ? still->window.get() : nullptr;
}

DrawnWindow* WindowManager::Drawn(const std::string& form) const {
  Record* record = Loaded(form);
  return record ? record->window.get() : nullptr;
}

std::vector<DrawnWindow*> WindowManager::AllDrawn() const {
  std::vector<DrawnWindow*> windows;
  for (const auto& [name, record] : loaded_) windows.push_back(record->window.get());
  return windows;
}

std::vector<std::string> WindowManager::LoadedForms() const {
  std::vector<std::string> names;
  for (const auto& [name, record] : loaded_) names.push_back(name);
  return names;
}

Control& WindowManager::Get(const std::string& form, const std::string& control) {
  static InertControl nothing;
  DrawnWindow* window = Load(form);
  if (!window) return nothing;
  if (Control* found = window->Find(control)) return *found;
  Missing(form, control);
  return nothing;
}

void WindowManager::Show(const std::string& form) {
  DrawnWindow* window = Load(form);
  if (!window) return;
  if (window->OnScreen())
    window->BringToFront();
  else
    window->Present();
}

void WindowManager::ShowModal(const std::string& form) {
  DrawnWindow* window = Load(form);
  if (!window) return;
  if (window->OnScreen()) {
    // Already on screen: a second modal showing of one window would nest a second loop.
    window->BringToFront();
    return;
  }
  Record& record = *Loaded(form);
  modal_.push_back(form);
  ++record.holds;
  RunModal(*window);
  --record.holds;
  modal_.pop_back();
  if (record.holds == 0 && Gone(record)) PostAfterUnload();
}

void WindowManager::Unload(const std::string& form) {
  auto it = loaded_.find(form);
  if (it == loaded_.end()) return;
  std::unique_ptr<Record> record = std::move(it->second);
  loaded_.erase(it);
  if (lastActive_ == form) lastActive_.clear();
  Dismiss(std::move(record));
  PostAfterUnload();
}

bool WindowManager::IsLoaded(const std::string& form) const { return Loaded(form) != nullptr; }

void WindowManager::EndProgram() {
  if (ended_) return;
  ended_ = true;
  DismissAll();
  LeaveEventLoops();
  PostAfterUnload();
}

void WindowManager::DismissAll() {
  lastActive_.clear();
  // Out of the table first: what a window's going sets off finds none of them loaded.
  auto leaving = std::move(loaded_);
  loaded_.clear();
  for (auto& [name, record] : leaving) Dismiss(std::move(record));
}

void WindowManager::Dismiss(std::unique_ptr<Record> record) {
  DrawnWindow& window = *record->window;
  unloaded_.push_back(std::move(record));
  window.Dismiss();
}

void WindowManager::CloseAll() {
  ended_ = true;
  DismissAll();
  const std::vector<std::unique_ptr<Record>> freed = std::move(unloaded_);
  unloaded_.clear();
}

void WindowManager::RunHandler(Record& record, const std::function<void()>& handler) {
  ++record.holds;
  handler();
  --record.holds;
  if (record.holds == 0 && Gone(record)) PostAfterUnload();
}

void WindowManager::PostAfterUnload() {
  Post([this] { AfterUnload(); });
}

void WindowManager::AfterUnload() {
  std::vector<std::unique_ptr<Record>> freed;
  for (auto& record : unloaded_)
    if (record->holds == 0) freed.push_back(std::move(record));
  std::erase(unloaded_, nullptr);
  freed.clear();
  if (!ended_ && loaded_.empty()) EndProgram();
}

void WindowManager::Activated(DrawnWindow& window) {
  Record* record = LoadedWith(window);
  // Only a change from one window of the program to another counts: coming back from a
  // message box, a folder picker or another program does not activate the window again.
  if (!record || lastActive_ == record->name) return;
  lastActive_ = record->name;
  const std::uint64_t serial = record->serial;
  window.AfterPaint([this, serial] {
    if (Record* still = LoadedWith(serial)) RunHandler(*still, [&] { still->form->OnActivate(*this); });
  });
}

void WindowManager::Clicked(DrawnWindow& window, const std::string& control) {
  if (Record* record = LoadedWith(window))
    RunHandler(*record, [&] { record->form->OnClick(*this, control); });
}

void WindowManager::CloseBoxPressed(DrawnWindow& window) {
  Record* record = LoadedWith(window);
  if (!record) return;
  const std::string name = record->name;
  RunHandler(*record, [&] {
    if (record->form->OnCloseBox(*this)) Unload(name);
  });
}

}  // namespace ui
