#include "ui/win32/Win32Dialogs.h"

#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>

#include <vector>

namespace Win32Ui {
namespace {

UINT IconStyle(UserDialogs::Icon icon) {
  switch (icon) {
    case UserDialogs::Icon::Critical: return MB_ICONHAND;
    case UserDialogs::Icon::Information: return MB_ICONASTERISK;
    case UserDialogs::Icon::Exclamation:
    case UserDialogs::Icon::Warning: return MB_ICONEXCLAMATION;
  }
  return 0;
}

// Frees what the shell allocated, with the shell's allocator (Windows 95 has no
// CoTaskMemFree of its own there).
void FreeShellItem(LPITEMIDLIST item) {
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
    allocator->Free(item);
    allocator->Release();
  }
}

// The picker is asked with no owner window, as it has always been, so Windows disables none of
// the program's windows while it is open: they are disabled here meanwhile, so that it is modal
// as a message box is, and no second scan can start under it.
class ProgramWindowsDisabled {
 public:
  ProgramWindowsDisabled() : active_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
  }
  ~ProgramWindowsDisabled() {
    for (HWND window : disabled_)
      if (IsWindow(window)) EnableWindow(window, TRUE);
    if (active_ && IsWindow(active_)) SetActiveWindow(active_);
  }
  ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
  ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM self) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      reinterpret_cast<ProgramWindowsDisabled*>(self)->disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND active_;
  std::vector<HWND> disabled_;
};

}  // namespace

UserDialogs::Answer Win32Dialogs::Message(const std::string& text, const std::string& title,
                                          UserDialogs::Icon icon, UserDialogs::Buttons buttons,
                                          UserDialogs::Question) {
  // A box without a title of its own carries the program's name.
  const std::string caption = title.empty() ? "Quillfen" : title;
  const UINT kind = buttons == UserDialogs::Buttons::OkCancel ? MB_OKCANCEL : MB_OK;
  // Over the window the user is working in, which cannot be used until the box is closed.
  const int answer = MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), kind | IconStyle(icon));
  return answer == IDOK ? UserDialogs::Answer::Ok : UserDialogs::Answer::Cancel;
}

std::string Win32Dialogs::PickFolder(const std::string& prompt, UserDialogs::Question) {
  char displayName[MAX_PATH] = {};
  char chosen[MAX_PATH] = {};
  // Exactly as the picker has always been asked: no owner (every caller passes 0), the top of
  // the shell's namespace, the prompt, no flags, no callback.
  BROWSEINFOA browse;
  browse.hwndOwner = nullptr;
  browse.pidlRoot = nullptr;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = prompt.c_str();
  browse.ulFlags = 0;
  browse.lpfn = nullptr;
  browse.lParam = 0;
  browse.iImage = 0;
  const HRESULT com = CoInitialize(nullptr);
  LPITEMIDLIST item;
  {
    ProgramWindowsDisabled modal;
    item = SHBrowseForFolderA(&browse);
  }
  std::string result;
  if (item) {
    if (SHGetPathFromIDListA(item, chosen)) result.assign(chosen, strnlen(chosen, MAX_PATH));
    FreeShellItem(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}

void Win32Dialogs::OpenInShell(const std::string& path) {
  // The shell's answer is not looked at.
  ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace Win32Ui
