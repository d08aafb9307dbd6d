#include "TestToolkit.h"

#include <gtest/gtest.h>

#include "ui/Keyboard.h"

namespace uitest {

// A window drawn by nothing: its controls in memory, whether it is on the screen, and which
// control has the focus. Each has a number of its own, so a posted activation never reaches
// a later window of the same name.
class TestToolkit::Window final : public ui::DrawnWindow {
 public:
  Window(TestToolkit& toolkit, const ui::FormTable& table, std::uint64_t number)
      : toolkit_(toolkit), table_(table), number_(number) {
    for (const ui::ControlRow& row : table.controls) {
      auto control = std::make_unique<TestControl>(row);
      if (row.kind == ui::ControlKind::DriveList) control->Fill(toolkit.drives_, toolkit.selectedDrive_);
      controls_[row.name] = std::move(control);
    }
  }

  ui::Control* Find(const std::string& control) override { return Control(control); }
  bool OnScreen() const override { return shown_; }
  void Present() override {
    Show();
    toolkit_.transcript_.push_back("show " + Name());
    toolkit_.Activate(*this);
  }
  void BringToFront() override { toolkit_.Activate(*this); }
  void AfterPaint(std::function<void()> work) override {
    toolkit_.Post([&toolkit = toolkit_, number = number_, work = std::move(work)] {
      if (toolkit.Numbered(number)) work();
    });
  }
  void Dismiss() override {
    shown_ = false;
    dismissed_ = true;
    // "end" stands for every window that goes with the program.
    if (!toolkit_.Ended()) toolkit_.transcript_.push_back("unload " + Name());
  }

  // On the screen; the focus where the keyboard rule puts it the first time, and where it
  // was when the window is shown again.
  void Show() {
    shown_ = true;
    if (focus.empty())
      focus = ui::Keyboard::FirstFocus(table_, [this](const ui::ControlRow& row) { return Shown(row); });
  }
  bool Shown(const ui::ControlRow& row) const { return Control(row.name)->Visible(); }
  TestControl* Control(const std::string& name) const {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second.get();
  }
  const ui::FormTable& Table() const { return table_; }
  const std::string& Name() const { return table_.name; }
  std::uint64_t Number() const { return number_; }
  bool Dismissed() const { return dismissed_; }

  std::string focus;

 private:
  TestToolkit& toolkit_;
  const ui::FormTable& table_;
  const std::uint64_t number_;
  std::map<std::string, std::unique_ptr<TestControl>> controls_;
  bool shown_ = false;
  bool dismissed_ = false;
};

TestToolkit::TestToolkit(FormMaker makeForm) : WindowManager(std::move(makeForm)) {}

TestToolkit::~TestToolkit() {
  for (const auto& [form, actions] : modalActions_)
    if (!actions.empty())
      ADD_FAILURE() << actions.size() << " action(s) for " << form << " never ran";
  CloseAll();
}

// --- what the toolkit draws and runs

std::unique_ptr<ui::DrawnWindow> TestToolkit::Draw(const ui::FormTable& table) {
  transcript_.push_back("load " + table.name);
  return std::make_unique<Window>(*this, table, ++windows_);
}

void TestToolkit::RunModal(ui::DrawnWindow& drawn) {
  auto& window = static_cast<Window&>(drawn);
  const std::string form = window.Name();
  const std::uint64_t owner = active_;
  transcript_.push_back("modal " + form);
  window.Show();
  Activate(window);
  // The nested event loop: what is posted runs first (the window's activation among it), then
  // the user's next action.
  while (!window.Dismissed()) {
    RunPosted();
    if (window.Dismissed()) break;
    auto& actions = modalActions_[form];
    if (!actions.empty()) {
      auto action = std::move(actions.front());
      actions.pop_front();
      action();
    } else if (!CloseBox(form) && !window.Dismissed()) {
      ADD_FAILURE() << form << " stays open and nothing the user can do closes it";
      Unload(form);
    }
  }
  if (Window* previous = Numbered(owner)) Activate(*previous);
}

void TestToolkit::Post(std::function<void()> call) { posted_.push_back(std::move(call)); }

void TestToolkit::LeaveEventLoops() { transcript_.push_back("end"); }

void TestToolkit::Missing(const std::string& form, const std::string& control) {
  if (control.empty())
    ADD_FAILURE() << "there is no window " << form;
  else
    ADD_FAILURE() << form << " has no control " << control;
}

void TestToolkit::Dispatch(const std::function<void()>& work) {
  ++depth_;
  work();
  --depth_;
  if (depth_ == 0) RunPosted();
}

void TestToolkit::RunPosted() {
  while (!posted_.empty()) {
    std::function<void()> call = std::move(posted_.front());
    posted_.pop_front();
    ++depth_;
    call();
    --depth_;
  }
}

void TestToolkit::Activate(const Window& window) {
  active_ = window.Number();
  Post([this, number = window.Number()] {
    if (Window* still = Numbered(number)) Events().Activated(*still);
  });
}

TestToolkit::Window* TestToolkit::Loaded(const std::string& form) const {
  return static_cast<Window*>(Drawn(form));
}

TestToolkit::Window* TestToolkit::Numbered(std::uint64_t number) const {
  for (ui::DrawnWindow* drawn : AllDrawn())
    if (static_cast<Window*>(drawn)->Number() == number) return static_cast<Window*>(drawn);
  return nullptr;
}

bool TestToolkit::Reachable(const std::string& form) const {
  return IsLoaded(form) && (ModalStack().empty() || ModalStack().back() == form);
}

// --- what the user does

void TestToolkit::Start(const std::string& form) {
  Dispatch([&] { Show(form); });
}

bool TestToolkit::Click(const std::string& form, const std::string& control) {
  Window* window = Loaded(form);
  if (!window) return false;
  TestControl* button = window->Control(control);
  if (!button) {
    ADD_FAILURE() << form << " has no control " << control;
    return false;
  }
  if (button->Row().kind != ui::ControlKind::CommandButton) {
    ADD_FAILURE() << form << "." << control << " is not a command button";
    return false;
  }
  if (!Reachable(form) || !button->Visible()) return false;
  Dispatch([&] { Events().Clicked(*window, control); });
  return true;
}

bool TestToolkit::PressEnter(const std::string& form) {
  Window* window = Loaded(form);
  return window && Press(form, ui::Keyboard::EnterPresses(window->Table(), window->focus));
}

bool TestToolkit::PressEscape(const std::string& form) {
  Window* window = Loaded(form);
  return window && Press(form, ui::Keyboard::EscPresses(window->Table()));
}

bool TestToolkit::Press(const std::string& form, const std::string& button) {
  return !button.empty() && Click(form, button);
}

bool TestToolkit::PressTab(const std::string& form, bool forward) {
  Window* window = Loaded(form);
  if (!window || !Reachable(form)) return false;
  window->focus = ui::Keyboard::NextFocus(window->Table(), window->focus, forward,
                                          [window](const ui::ControlRow& row) { return window->Shown(row); });
  return true;
}

bool TestToolkit::CloseBox(const std::string& form) {
  Window* window = Loaded(form);
  if (!window || !window->Table().closeBox || !Reachable(form)) return false;
  bool closed = false;
  Dispatch([&] {
    transcript_.push_back("close " + form);
    Events().CloseBoxPressed(*window);
    closed = window->Dismissed();
  });
  return closed;
}

void TestToolkit::Load(const std::string& form) {
  Dispatch([&] { WindowManager::Load(form); });
}

void TestToolkit::WhenModal(const std::string& form, std::function<void()> action) {
  modalActions_[form].push_back(std::move(action));
}

void TestToolkit::SetDrives(std::vector<std::string> entries, int selected) {
  drives_ = std::move(entries);
  selectedDrive_ = selected;
}

// --- what happened

bool TestToolkit::Shown(const std::string& form) const {
  Window* window = Loaded(form);
  return window && window->OnScreen();
}

std::string TestToolkit::Focused(const std::string& form) const {
  Window* window = Loaded(form);
  return window ? window->focus : std::string();
}

const TestControl* TestToolkit::Find(const std::string& form, const std::string& control) const {
  Window* window = Loaded(form);
  return window ? window->Control(control) : nullptr;
}

}  // namespace uitest
