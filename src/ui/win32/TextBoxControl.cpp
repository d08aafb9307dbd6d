#include "ui/win32/TextBoxControl.h"

#include <algorithm>

namespace Win32Ui {

TextBoxControl::TextBoxControl(HWND edit, std::size_t capacity) : WindowControl(edit), capacity_(capacity) {
  // 0 asks for the largest limit the control has (65,535 bytes on 95/98/Me).
  const WPARAM limit = capacity == kUnlimited ? 0 : static_cast<WPARAM>(capacity);
  if (edit) SendMessageA(edit, EM_SETLIMITTEXT, limit, 0);
}

void TextBoxControl::SetText(const std::string& text) {
  if (!Handle()) return;
  SetWindowTextA(Handle(), text.c_str());
  Select(0, 0);
}

std::size_t TextBoxControl::Length() const {
  return Handle() ? static_cast<std::size_t>(std::max(0, GetWindowTextLengthA(Handle()))) : 0;
}

std::size_t TextBoxControl::SelStart() const {
  if (!Handle()) return 0;
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start;
}

void TextBoxControl::SetSelStart(std::size_t position) {
  const std::size_t at = std::min(position, Length());
  Select(at, at);
}

void TextBoxControl::InsertAtCaret(const std::string& text) {
  if (!Handle() || text.empty()) return;
  MakeRoom(text.size());
  const std::size_t before = Length();
  const std::size_t caret = SelStart();
  Replace(text);
  const std::size_t taken = Length() - std::min(Length(), before);
  if (taken == text.size()) return;
  // The control took less than it was given: it holds less than the capacity says (a full
  // heap on 95/98/Me). Take the part back, keep half as much from now on, and try again.
  Select(caret, caret + taken);
  Replace("");
  capacity_ = std::max(before / 2, text.size());
  MakeRoom(text.size());
  Replace(text);
}

void TextBoxControl::Select(std::size_t start, std::size_t end) const {
  if (!Handle()) return;
  SendMessageA(Handle(), EM_SETSEL, start, end);
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

void TextBoxControl::Replace(const std::string& text) const {
  SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

void TextBoxControl::MakeRoom(std::size_t incoming) {
  const std::size_t length = Length();
  if (capacity_ == kUnlimited || length + incoming <= capacity_) return;
  const std::size_t keep = capacity_ / 4 * 3;
  const std::size_t excess = length + incoming > keep ? length + incoming - keep : 0;
  // Cut after the line break that ends the line holding the excess' last byte: whole lines go.
  const std::string text = Text();
  const std::size_t lineEnd = excess == 0 ? 0 : text.find("\r\n", excess - 1);
  const std::size_t cut = lineEnd == std::string::npos ? text.size() : lineEnd + 2;
  const std::size_t caret = SelStart();
  Select(0, cut);
  Replace("");
  const std::size_t moved = caret > cut ? caret - cut : 0;
  Select(moved, moved);
}

}  // namespace Win32Ui
