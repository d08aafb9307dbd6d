#include "ui/win32/Win32Controls.h"

namespace Win32Ui {

bool WindowControl::Visible() const {
  return window_ && (GetWindowLongA(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void WindowControl::SetVisible(bool visible) {
  if (window_) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

std::string WindowControl::WindowText() const {
  if (!window_) return {};
  const int length = GetWindowTextLengthA(window_);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window_, text.data(), length + 1)));
  return text;
}

void CaptionControl::SetText(const std::string& text) {
  if (Handle()) SetWindowTextA(Handle(), text.c_str());
}

int CheckControl::Checked() const {
  return Handle() && SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CheckControl::SetChecked(int state) {
  if (Handle()) SendMessageA(Handle(), BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string ListControl::Entry(int index) const {
  const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR || length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

std::string ListControl::Text() const {
  const int index = ListIndex();
  return index < 0 ? std::string() : Entry(index);
}

std::vector<std::string> ListControl::Items() const {
  std::vector<std::string> items;
  if (!Handle()) return items;
  const LRESULT count = SendMessageA(Handle(), CB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) items.push_back(Entry(i));
  return items;
}

int ListControl::ListIndex() const {
  if (!Handle()) return -1;
  const LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void ListControl::SetListIndex(int index) {
  if (!Handle() || index < -1 || index >= SendMessageA(Handle(), CB_GETCOUNT, 0, 0)) return;
  SendMessageA(Handle(), CB_SETCURSEL, index, 0);
}

}  // namespace Win32Ui
