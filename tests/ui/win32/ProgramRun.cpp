// GetGUIThreadInfo (98, NT 4.0 SP3): the tests only, never the program.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0500
#include "ProgramRun.h"

#include <map>
#include <utility>

#include "ui/FormNames.h"
#include "ui/win32/Layout.h"
#include "ui/win32/Win32Toolkit.h"

namespace wintest {
namespace {

constexpr UINT kSyncMessage = WM_APP + 40;
constexpr DWORD kWaitMs = 10000;
constexpr const char* kSyncClass = "QuillfenTestSync";

// Posted after what the test did: when it is handled, so is everything posted before it.
LRESULT CALLBACK SyncProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSyncMessage) {
    SetEvent(reinterpret_cast<HANDLE>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeSyncWindow() {
  static const bool registered = [] {
    WNDCLASSA syncClass = {};
    syncClass.lpfnWndProc = SyncProc;
    syncClass.hInstance = GetModuleHandleA(nullptr);
    syncClass.lpszClassName = kSyncClass;
    return RegisterClassA(&syncClass) != 0;
  }();
  (void)registered;
  return CreateWindowExA(0, kSyncClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

struct Search {
  std::string caption;
  HWND found = nullptr;
};

BOOL CALLBACK FindForm(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  char windowClass[64] = {};
  GetClassNameA(window, windowClass, sizeof windowClass);
  if (std::string(windowClass) == Win32Ui::kFormClass && TextOf(window) == search.caption) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

int IndexOf(const ui::FormTable& table, const std::string& control) {
  for (std::size_t i = 0; i < table.controls.size(); ++i)
    if (table.controls[i].name == control) return static_cast<int>(i);
  return -1;
}

}  // namespace

const ui::FormTable& TableOf(const std::string& form) {
  static std::mutex mutex;
  static std::map<std::string, std::unique_ptr<ui::Form>> forms;
  std::lock_guard lock(mutex);
  auto& made = forms[form];
  if (!made) made = ui::MakeForm(form);
  return made->Table();
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!window || !SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &length))
    return {};
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kWaitMs, &copied))
    return {};
  text.resize(copied);
  return text;
}

testsupport::Pixels ScreenPixels(const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return {};
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;  // 0x00RRGGBB
  info.bmiHeader.biCompression = BI_RGB;
  testsupport::Pixels pixels(static_cast<std::size_t>(width) * height);
  if (GetDIBits(memory, picture, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) pixels.clear();
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

RECT PlaceOf(HWND window) {
  RECT place = {};
  GetWindowRect(window, &place);
  if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

ProgramRun::ProgramRun(FormMaker makeForm, std::string start)
    : synced_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  thread_ = std::thread(&ProgramRun::Main, this, std::move(makeForm), std::move(start));
  HANDLE either[] = {ready_, done_};
  WaitForMultipleObjects(2, either, FALSE, kWaitMs);
  Settle();
}

ProgramRun::~ProgramRun() {
  if (!ended_ && threadId_) PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  CloseHandle(synced_);
  CloseHandle(done_);
  CloseHandle(ready_);
}

void ProgramRun::Main(FormMaker makeForm, std::string start) {
  threadId_ = GetCurrentThreadId();
  const HWND sync = MakeSyncWindow();
  sync_ = sync;
  {
    Win32Ui::Win32Toolkit toolkit(std::move(makeForm));
    toolkit.Show(start);
    SetEvent(ready_);
    toolkit.Run();
  }
  sync_ = nullptr;
  DestroyWindow(sync);
  ended_ = true;
  SetEvent(done_);
}

bool ProgramRun::SyncOnce() {
  const HWND sync = sync_;
  if (!sync || ended_) return false;
  PostMessageA(sync, kSyncMessage, 0, reinterpret_cast<LPARAM>(synced_));
  HANDLE either[] = {synced_, done_};
  return WaitForMultipleObjects(2, either, FALSE, kWaitMs) == WAIT_OBJECT_0;
}

void ProgramRun::Settle() {
  // A handler may post work of its own (an activation after painting, the check for the
  // program's end after an unload), which may post again: a few rounds reach the bottom.
  for (int round = 0; round < 5; ++round)
    if (!SyncOnce()) return;
}

bool ProgramRun::WaitFor(const std::function<bool()>& condition) {
  for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

HWND ProgramRun::Form(const std::string& form) const {
  if (ended_ || !threadId_) return nullptr;
  Search search{TableOf(form).caption};
  EnumThreadWindows(threadId_, FindForm, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ProgramRun::Control(const std::string& form, const std::string& control) const {
  const HWND window = Form(form);
  const int index = IndexOf(TableOf(form), control);
  return window && index >= 0 ? GetDlgItem(window, Win32Ui::kFirstControlId + index) : nullptr;
}

std::vector<std::string> ProgramRun::OpenForms() const {
  std::vector<std::string> open;
  for (const char* form : ui::kAllForms)
    if (Form(form)) open.push_back(form);
  return open;
}

std::string ProgramRun::Focused() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!threadId_ || !GetGUIThreadInfo(threadId_, &info) || !info.hwndFocus) return {};
  for (const char* form : ui::kAllForms) {
    const HWND window = Form(form);
    if (!window) continue;
    if (info.hwndFocus == window) return form;
    for (HWND child = info.hwndFocus; child; child = GetParent(child)) {
      if (GetParent(child) != window) continue;
      const auto& rows = TableOf(form).controls;
      const int index = GetDlgCtrlID(child) - Win32Ui::kFirstControlId;
      if (index >= 0 && index < static_cast<int>(rows.size())) return std::string(form) + "." + rows[index].name;
    }
  }
  return {};
}

bool ProgramRun::Click(const std::string& form, const std::string& control) {
  const HWND button = Control(form, control);
  if (!button) return false;
  PostMessageA(button, BM_CLICK, 0, 0);
  Settle();
  return true;
}

void ProgramRun::Key(WPARAM virtualKey) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(threadId_, &info)) return;
  const HWND target = info.hwndFocus ? info.hwndFocus : info.hwndActive;
  if (!target) return;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(virtualKey), 0)) << 16;
  PostMessageA(target, WM_KEYDOWN, virtualKey, scan | 1);
  PostMessageA(target, WM_KEYUP, virtualKey, scan | 1 | (3u << 30));
  Settle();
}

void ProgramRun::CloseBox(const std::string& form) {
  if (const HWND window = Form(form)) PostMessageA(window, WM_CLOSE, 0, 0);
  Settle();
}

}  // namespace wintest
