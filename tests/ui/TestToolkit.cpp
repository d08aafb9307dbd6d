#include "TestToolkit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/Keyboard.h"

namespace uitest {

TestControl::TestControl(const ui::ControlRow& row)
    : row_(row), text_(row.text), visible_((row.flags & ui::kHidden) == 0) {}

std::string TestControl::Text() const {
  if (!IsList()) return text_;
  return listIndex_ >= 0 ? items_[static_cast<std::size_t>(listIndex_)] : std::string();
}

void TestControl::SetText(const std::string& text) {
  if (IsList()) return;  // a drive list's text is its selected entry
  text_ = text;
  caret_ = 0;
}

void TestControl::SetSelStart(std::size_t position) { caret_ = std::min(position, text_.size()); }

void TestControl::InsertAtCaret(const std::string& text) {
  text_.insert(caret_, text);
  caret_ += text.size();
}

void TestControl::SetChecked(int state) {
  if (row_.kind == ui::ControlKind::CheckBox) checked_ = state == 0 ? 0 : 1;
}

void TestControl::SetListIndex(int index) {
  if (IsList() && index >= -1 && index < static_cast<int>(items_.size())) listIndex_ = index;
}

void TestControl::Fill(std::vector<std::string> items, int selected) {
  items_ = std::move(items);
  listIndex_ = -1;
  SetListIndex(selected);
}

TestToolkit::~TestToolkit() {
  for (const auto& [form, actions] : modalActions_)
    if (!actions.empty())
      ADD_FAILURE() << actions.size() << " action(s) for " << form << " never ran";
}

// --- what the windows ask of the screen

ui::Control& TestToolkit::Get(const std::string& form, const std::string& control) {
  Window* window = LoadIfNeeded(form);
  if (!window) return scratch_;
  auto it = window->controls.find(control);
  if (it == window->controls.end()) {
    ADD_FAILURE() << form << " has no control " << control;
    return scratch_;
  }
  return *it->second;
}

void TestToolkit::Show(const std::string& form) {
  Window* window = LoadIfNeeded(form);
  if (!window) return;
  GiveFirstFocus(*window);
  transcript_.push_back("show " + form);
  toActivate_.push_back(form);  // activated once the running handler has returned
}

void TestToolkit::ShowModal(const std::string& form) {
  Window* window = LoadIfNeeded(form);
  if (!window) return;
  GiveFirstFocus(*window);
  transcript_.push_back("modal " + form);
  modalStack_.push_back(form);
  // An unloaded window lives on until the outermost handler returns, so `window` stays valid.
  window->form->OnActivate(*this);
  while (IsLoaded(form)) {
    auto& actions = modalActions_[form];
    if (!actions.empty()) {
      auto action = std::move(actions.front());
      actions.pop_front();
      action();
    } else if (!CloseBox(form) && IsLoaded(form)) {
      ADD_FAILURE() << form << " stays open and nothing the user can do closes it";
      Unload(form);
    }
  }
  modalStack_.pop_back();
}

void TestToolkit::Unload(const std::string& form) {
  auto it = windows_.find(form);
  if (it == windows_.end()) return;
  transcript_.push_back("unload " + form);
  unloaded_.push_back(std::move(it->second));
  windows_.erase(it);
}

bool TestToolkit::IsLoaded(const std::string& form) const { return windows_.count(form) != 0; }

void TestToolkit::EndProgram() {
  transcript_.push_back("end");
  ended_ = true;
  for (auto& [name, window] : windows_) unloaded_.push_back(std::move(window));
  windows_.clear();
}

// --- what the user does

void TestToolkit::Start() {
  started_ = true;
  Dispatch([&] { Show(ui::kStartForm); });
}

bool TestToolkit::Click(const std::string& form, const std::string& control) {
  Window* window = Loaded(form);
  if (!window) return false;
  auto it = window->controls.find(control);
  if (it == window->controls.end()) {
    ADD_FAILURE() << form << " has no control " << control;
    return false;
  }
  if (it->second->Row().kind != ui::ControlKind::CommandButton) {
    ADD_FAILURE() << form << "." << control << " is not a command button";
    return false;
  }
  if (!Reachable(form) || !it->second->Visible()) return false;
  ui::Form* handlers = window->form.get();
  Dispatch([&] { handlers->OnClick(*this, control); });
  return true;
}

bool TestToolkit::PressEnter(const std::string& form) {
  Window* window = Loaded(form);
  return window && Press(form, ui::Keyboard::EnterPresses(window->form->Table(), window->focus));
}

bool TestToolkit::PressEscape(const std::string& form) {
  Window* window = Loaded(form);
  return window && Press(form, ui::Keyboard::EscPresses(window->form->Table()));
}

bool TestToolkit::Press(const std::string& form, const std::string& button) {
  return !button.empty() && Click(form, button);
}

bool TestToolkit::CloseBox(const std::string& form) {
  Window* window = Loaded(form);
  if (!window || !window->form->Table().closeBox || !Reachable(form)) return false;
  bool closed = false;
  ui::Form* handlers = window->form.get();
  Dispatch([&] {
    transcript_.push_back("close " + form);
    closed = handlers->OnCloseBox(*this);
    if (closed) Unload(form);
  });
  return closed;
}

void TestToolkit::Load(const std::string& form) {
  Dispatch([&] { LoadIfNeeded(form); });
}

void TestToolkit::WhenModal(const std::string& form, std::function<void()> action) {
  modalActions_[form].push_back(std::move(action));
}

void TestToolkit::SetDrives(std::vector<std::string> entries, int selected) {
  drives_ = std::move(entries);
  selectedDrive_ = selected;
}

// --- what happened

std::vector<std::string> TestToolkit::LoadedForms() const {
  std::vector<std::string> names;
  for (const auto& [name, window] : windows_) names.push_back(name);
  return names;
}

std::string TestToolkit::Focused(const std::string& form) const {
  auto window = windows_.find(form);
  return window == windows_.end() ? std::string() : window->second->focus;
}

const TestControl* TestToolkit::Find(const std::string& form, const std::string& control) const {
  auto window = windows_.find(form);
  if (window == windows_.end()) return nullptr;
  auto it = window->second->controls.find(control);
  return it == window->second->controls.end() ? nullptr : it->second.get();
}

// --- the event loop's part

void TestToolkit::Dispatch(const std::function<void()>& work) {
  ++depth_;
  work();
  --depth_;
  if (depth_ == 0) AfterEvents();
}

void TestToolkit::AfterEvents() {
  while (!toActivate_.empty()) {
    const std::string form = toActivate_.front();
    toActivate_.erase(toActivate_.begin());
    if (Window* window = Loaded(form)) {
      ++depth_;
      window->form->OnActivate(*this);
      --depth_;
    }
  }
  unloaded_.clear();
  if (started_ && !ended_ && windows_.empty()) {
    transcript_.push_back("end");
    ended_ = true;
  }
}

TestToolkit::Window* TestToolkit::LoadIfNeeded(const std::string& form) {
  if (Window* window = Loaded(form)) return window;
  if (ended_) return nullptr;
  std::unique_ptr<ui::Form> handlers = ui::MakeForm(form);
  if (!handlers) {
    ADD_FAILURE() << "there is no window " << form;
    return nullptr;
  }
  auto window = std::make_unique<Window>();
  for (const auto& row : handlers->Table().controls) {
    auto control = std::make_unique<TestControl>(row);
    if (row.kind == ui::ControlKind::DriveList) control->Fill(drives_, selectedDrive_);
    window->controls[row.name] = std::move(control);
  }
  window->form = std::move(handlers);
  Window* loaded = window.get();
  windows_[form] = std::move(window);
  transcript_.push_back("load " + form);
  loaded->form->OnLoad(*this);
  return loaded;
}

// A window shown again keeps the focus it had.
void TestToolkit::GiveFirstFocus(Window& window) {
  if (!window.focus.empty()) return;
  window.focus = ui::Keyboard::FirstFocus(window.form->Table(), [&](const ui::ControlRow& row) {
    return window.controls.at(row.name)->Visible();
  });
}

TestToolkit::Window* TestToolkit::Loaded(const std::string& form) {
  auto it = windows_.find(form);
  return it == windows_.end() ? nullptr : it->second.get();
}

// A window under a modal one takes no input.
bool TestToolkit::Reachable(const std::string& form) const {
  return IsLoaded(form) && (modalStack_.empty() || modalStack_.back() == form);
}

}  // namespace uitest
