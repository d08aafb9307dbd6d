#include "ui/win32/Win32Toolkit.h"

#include <commctrl.h>

#include "ui/InertControl.h"
#include "ui/win32/Layout.h"

namespace Win32Ui {
namespace {

constexpr UINT kAfterUnloadMessage = WM_APP + 2;

}  // namespace

Win32Toolkit::Win32Toolkit(FormMaker makeForm, ProgramEnd endProgram)
    : makeForm_(std::move(makeForm)), endProgram_(std::move(endProgram)) {
  if (!endProgram_) endProgram_ = [] { PostQuitMessage(0); };
  // The progress bar and the tool tips are common controls.
  InitCommonControls();
  static const bool registered = [] {
    WNDCLASSEXA programClass = {};
    programClass.cbSize = sizeof programClass;
    programClass.lpfnWndProc = ProgramProc;
    programClass.hInstance = GetModuleHandleA(nullptr);
    programClass.lpszClassName = kProgramClass;
    return RegisterClassExA(&programClass) != 0;
  }();
  (void)registered;
  program_ = CreateWindowExA(0, kProgramClass, "Quillfen", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), this);
}

Win32Toolkit::~Win32Toolkit() {
  for (auto& [name, window] : windows_) window->Dismiss();
  windows_.clear();
  unloaded_.clear();
  if (program_) DestroyWindow(program_);
}

LRESULT CALLBACK Win32Toolkit::ProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongA(window, GWL_USERDATA,
                   reinterpret_cast<LONG>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<Win32Toolkit*>(GetWindowLongA(window, GWL_USERDATA));
  if (self && message == kAfterUnloadMessage) {
    self->AfterUnload();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

FormWindow* Win32Toolkit::Loaded(const std::string& form) const {
  auto it = windows_.find(form);
  return it == windows_.end() ? nullptr : it->second.get();
}

FormWindow* Win32Toolkit::Load(const std::string& form) {
  if (FormWindow* window = Loaded(form)) return window;
  std::unique_ptr<ui::Form> logic = makeForm_ ? makeForm_(form) : nullptr;
  if (!logic) return nullptr;
  WindowEvents& events = *this;
  auto made = std::make_unique<FormWindow>(std::move(logic), events, program_);
  if (!made->Made()) return nullptr;
  FormWindow& window = *made;
  windows_[form] = std::move(made);
  RunLogic(window, [&] { window.Logic().OnLoad(*this); });
  return Loaded(form);  // the load step may have unloaded it again
}

ui::Control& Win32Toolkit::Get(const std::string& form, const std::string& control) {
  static ui::InertControl nothing;
  FormWindow* window = Load(form);
  ui::Control* found = window ? window->Find(control) : nullptr;
  return found ? *found : nothing;
}

void Win32Toolkit::Show(const std::string& form) {
  FormWindow* window = Load(form);
  if (!window) return;
  if (IsWindowVisible(window->Handle())) {
    SetForegroundWindow(window->Handle());
    return;
  }
  window->Present();
}

void Win32Toolkit::ShowModal(const std::string& form) {
  const HWND active = GetActiveWindow();
  FormWindow* owner = Owning(active);
  FormWindow* window = Load(form);
  if (!window) return;
  if (IsWindowVisible(window->Handle())) {
    // Already on screen: a second modal showing of one window would nest a second loop.
    SetForegroundWindow(window->Handle());
    return;
  }
  // Modal to the whole program, as the other windows cannot be used meanwhile.
  std::vector<HWND> disabled;
  for (auto& [name, other] : windows_) {
    if (other.get() != window && IsWindowEnabled(other->Handle())) {
      EnableWindow(other->Handle(), FALSE);
      disabled.push_back(other->Handle());
    }
  }
  window->SetModal(std::move(disabled), owner && owner != window ? owner->Handle() : nullptr);
  window->Hold();
  window->Present();
  RunUntil([window] { return window->Dismissed(); });
  window->Release();
  if (window->Dismissed()) PostAfterUnload();
}

void Win32Toolkit::Unload(const std::string& form) {
  auto it = windows_.find(form);
  if (it == windows_.end()) return;
  std::unique_ptr<FormWindow> window = std::move(it->second);
  windows_.erase(it);
  if (lastActive_ == form) lastActive_.clear();
  window->Dismiss();
  unloaded_.push_back(std::move(window));
  PostAfterUnload();
}

bool Win32Toolkit::IsLoaded(const std::string& form) const { return Loaded(form) != nullptr; }

void Win32Toolkit::EndProgram() {
  if (ended_) return;
  ended_ = true;
  for (auto& [name, window] : windows_) {
    window->Dismiss();
    unloaded_.push_back(std::move(window));
  }
  windows_.clear();
  lastActive_.clear();
  endProgram_();
}

HWND Win32Toolkit::Window(const std::string& form) const {
  FormWindow* window = Loaded(form);
  return window ? window->Handle() : nullptr;
}

FormWindow* Win32Toolkit::Owning(HWND window) const {
  // Controls are children of their window; anything else (a tool tip, a combo box's list)
  // is not the window's.
  while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  if (!window) return nullptr;
  for (const auto& [name, loaded] : windows_)
    if (loaded->Handle() == window) return loaded.get();
  return nullptr;
}

void Win32Toolkit::Dispatch(MSG& message) {
  if (FormWindow* window = Owning(message.hwnd)) {
    if (window->PreTranslate(message)) return;
    if (IsDialogMessageA(window->Handle(), &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

int Win32Toolkit::Run() {
  MSG message;
  while (!ended_ && GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return 0;
}

void Win32Toolkit::RunUntil(const std::function<bool()>& done) {
  MSG message;
  while (!ended_ && !done()) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) return;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

void Win32Toolkit::RunLogic(FormWindow& window, const std::function<void()>& handler) {
  window.Hold();
  handler();
  window.Release();
  if (window.Dismissed() && !window.Held()) PostAfterUnload();
}

void Win32Toolkit::PostAfterUnload() { PostMessageA(program_, kAfterUnloadMessage, 0, 0); }

void Win32Toolkit::AfterUnload() {
  std::erase_if(unloaded_, [](const std::unique_ptr<FormWindow>& window) { return !window->Held(); });
  if (!ended_ && windows_.empty()) EndProgram();
}

void Win32Toolkit::Activated(FormWindow& window) {
  // Only a change from one window of the program to another counts: coming back from a
  // message box, a folder picker or another program does not activate the window again.
  if (lastActive_ == window.Name()) return;
  lastActive_ = window.Name();
  window.AfterPaint([this, &window] { RunLogic(window, [&] { window.Logic().OnActivate(*this); }); });
}

void Win32Toolkit::Clicked(FormWindow& window, const std::string& control) {
  RunLogic(window, [&] { window.Logic().OnClick(*this, control); });
}

void Win32Toolkit::CloseBoxPressed(FormWindow& window) {
  RunLogic(window, [&] {
    if (window.Logic().OnCloseBox(*this)) Unload(window.Name());
  });
}

}  // namespace Win32Ui
