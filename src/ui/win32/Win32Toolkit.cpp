#include "ui/win32/Win32Toolkit.h"

#include <commctrl.h>

#include <vector>

#include "ui/win32/FormWindow.h"
#include "ui/win32/Layout.h"

namespace Win32Ui {
namespace {

// Sent once for each posted call; each runs the oldest call waiting.
constexpr UINT kPostedCallMessage = WM_APP + 2;

}  // namespace

Win32Toolkit::Win32Toolkit(FormMaker makeForm, ProgramEnd endProgram)
    : WindowManager(std::move(makeForm)), endProgram_(std::move(endProgram)) {
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
  CloseAll();
  if (program_) DestroyWindow(program_);
}

LRESULT CALLBACK Win32Toolkit::ProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongA(window, GWL_USERDATA,
                   reinterpret_cast<LONG>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<Win32Toolkit*>(GetWindowLongA(window, GWL_USERDATA));
  if (self && message == kPostedCallMessage) {
    self->RunPosted();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::unique_ptr<ui::DrawnWindow> Win32Toolkit::Draw(const ui::FormTable& table) {
  auto window = std::make_unique<FormWindow>(table, Events(), program_);
  if (!window->Made()) return nullptr;
  return window;
}

HWND Win32Toolkit::Window(const std::string& form) const {
  auto* window = static_cast<FormWindow*>(Drawn(form));
  return window ? window->Handle() : nullptr;
}

void Win32Toolkit::RunModal(ui::DrawnWindow& drawn) {
  auto& window = static_cast<FormWindow&>(drawn);
  FormWindow* owner = Owning(GetActiveWindow());
  // Modal to the whole program, as the other windows cannot be used meanwhile.
  std::vector<HWND> disabled;
  for (ui::DrawnWindow* loaded : AllDrawn()) {
    auto* other = static_cast<FormWindow*>(loaded);
    if (other != &window && IsWindowEnabled(other->Handle())) {
      EnableWindow(other->Handle(), FALSE);
      disabled.push_back(other->Handle());
    }
  }
  window.SetModal(std::move(disabled), owner && owner != &window ? owner->Handle() : nullptr);
  window.Present();
  RunUntil([&window] { return window.Dismissed(); });
}

void Win32Toolkit::Post(std::function<void()> call) {
  posted_.push_back(std::move(call));
  PostMessageA(program_, kPostedCallMessage, 0, 0);
}

void Win32Toolkit::RunPosted() {
  if (posted_.empty()) return;
  std::function<void()> call = std::move(posted_.front());
  posted_.pop_front();
  call();
}

FormWindow* Win32Toolkit::Owning(HWND window) const {
  // Controls are children of their window; anything else (a tool tip, a combo box's list)
  // is not the window's.
  while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  if (!window) return nullptr;
  for (ui::DrawnWindow* loaded : AllDrawn())
    if (static_cast<FormWindow*>(loaded)->Handle() == window) return static_cast<FormWindow*>(loaded);
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
  while (!Ended() && GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return 0;
}

void Win32Toolkit::RunUntil(const std::function<bool()>& done) {
  MSG message;
  while (!Ended() && !done()) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) return;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

}  // namespace Win32Ui
