#include "ui/win32/TextBoxControl.h"

#include <algorithm>
#include <utility>

namespace Win32Ui {
namespace {

// The box a watched control belongs to, and the procedure the control had before.
constexpr const char* kBoxProperty = "QuillfenTextBox";
constexpr const char* kProcedureProperty = "QuillfenTextBoxProc";

// Posted to the control when lines begin to be kept: a message loop hands it over before it
// paints anything.
UINT FlushMessage() {
  static const UINT message = RegisterWindowMessageA("QuillfenTextBoxFlush");
  return message;
}

}  // namespace

// The messages the box sends its control while one of these lasts are its own, and hand no
// kept lines over.
class TextBoxControl::Talking {
 public:
  explicit Talking(const TextBoxControl& box) : box_(box) { ++box_.talking_; }
  ~Talking() { --box_.talking_; }
  Talking(const Talking&) = delete;
  Talking& operator=(const Talking&) = delete;

 private:
  const TextBoxControl& box_;
};

TextBoxControl::TextBoxControl(HWND edit, std::size_t capacity) : WindowControl(edit), capacity_(capacity) {
  if (!edit) return;
  // 0 asks for the largest limit the control has (65,535 bytes on 95/98/Me).
  const WPARAM limit = capacity == kUnlimited ? 0 : static_cast<WPARAM>(capacity);
  SendMessageA(edit, EM_SETLIMITTEXT, limit, 0);
  Watch();
}

TextBoxControl::~TextBoxControl() {
  Flush();
  Unwatch();
}

void TextBoxControl::Watch() {
  const LONG_PTR previous = GetWindowLongPtrA(Handle(), GWLP_WNDPROC);
  SetPropA(Handle(), kProcedureProperty, reinterpret_cast<HANDLE>(previous));
  SetPropA(Handle(), kBoxProperty, this);
  SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchProc));
}

void TextBoxControl::Unwatch() {
  if (!Handle()) return;
  RemovePropA(Handle(), kBoxProperty);
  // A procedure put over this one since (the window's keys, a tool tip) goes on calling it:
  // it stays, and only passes messages on.
  if (GetWindowLongPtrA(Handle(), GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(WatchProc)) return;
  const HANDLE previous = RemovePropA(Handle(), kProcedureProperty);
  SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
}

LRESULT CALLBACK TextBoxControl::WatchProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = static_cast<TextBoxControl*>(GetPropA(edit, kBoxProperty));
  const auto previous = reinterpret_cast<WNDPROC>(GetPropA(edit, kProcedureProperty));
  if (message == FlushMessage()) {
    if (box) box->Flush();
    return 0;
  }
  if (message == WM_NCDESTROY) {
    RemovePropA(edit, kBoxProperty);
    RemovePropA(edit, kProcedureProperty);
    if (box) {
      box->pending_.clear();
      box->Forget();
    }
  } else if (box && box->talking_ == 0 && message != WM_DESTROY) {
    // Anything from elsewhere (a paint, a key, a question) meets the whole text.
    box->Flush();
  }
  return previous ? CallWindowProcA(previous, edit, message, wParam, lParam)
                  : DefWindowProcA(edit, message, wParam, lParam);
}

std::string TextBoxControl::Text() const {
  if (!Handle()) return {};
  const Talking talking(*this);
  return WindowText() + pending_;
}

void TextBoxControl::SetText(const std::string& text) {
  if (!Handle()) return;
  pending_.clear();
  {
    const Talking talking(*this);
    SetWindowTextA(Handle(), text.c_str());
  }
  Select(0, 0);
}

std::size_t TextBoxControl::Length() const {
  return pending_.empty() ? ControlLength() : base_ + pending_.size();
}

std::size_t TextBoxControl::SelStart() const {
  if (!Handle()) return 0;
  // Kept lines were appended at the end, where they left the caret.
  if (!pending_.empty()) return base_ + pending_.size();
  const Talking talking(*this);
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start;
}

void TextBoxControl::SetSelStart(std::size_t position) {
  if (!pending_.empty() && position >= Length()) return;  // there already
  Flush();
  const std::size_t at = std::min(position, Length());
  Select(at, at);
}

void TextBoxControl::InsertAtCaret(const std::string& text) {
  if (!Handle() || text.empty()) return;
  if (pending_.empty()) {
    const std::size_t length = ControlLength();
    if (SelStart() != length) return Insert(text);
    // At the end, where the console keeps its caret: the line is kept for the control.
    base_ = length;
    PostMessageA(Handle(), FlushMessage(), 0, 0);
  }
  if (capacity_ != kUnlimited && base_ + pending_.size() + text.size() > capacity_) {
    // The oldest lines go from the control, which reads its text: once a quarter capacity.
    Flush();
    return Insert(text);
  }
  pending_ += text;
}

void TextBoxControl::Flush() {
  if (pending_.empty() || !Handle()) return;
  const std::string lines = std::exchange(pending_, {});
  Select(base_, base_);
  Insert(lines);
}

void TextBoxControl::Insert(const std::string& given) {
  std::string text = given;
  MakeRoom(text);
  const std::size_t before = ControlLength();
  const std::size_t caret = SelStart();
  Replace(text);
  const std::size_t taken = ControlLength() - std::min(ControlLength(), before);
  if (taken == text.size()) return;
  // The control took less than it was given: it holds less than the capacity says (a full
  // heap on 95/98/Me). Take the part back, keep half of what it held from now on, and try
  // again with what fits.
  Select(caret, caret + taken);
  Replace("");
  capacity_ = (before + taken) / 2;
  MakeRoom(text);
  Replace(text);
}

std::size_t TextBoxControl::ControlLength() const {
  if (!Handle()) return 0;
  const Talking talking(*this);
  return static_cast<std::size_t>(std::max(0, GetWindowTextLengthA(Handle())));
}

void TextBoxControl::Select(std::size_t start, std::size_t end) const {
  if (!Handle()) return;
  const Talking talking(*this);
  SendMessageA(Handle(), EM_SETSEL, start, end);
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

void TextBoxControl::Replace(const std::string& text) const {
  const Talking talking(*this);
  SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

void TextBoxControl::MakeRoom(std::string& text) {
  const std::size_t length = ControlLength();
  if (capacity_ == kUnlimited || length + text.size() <= capacity_) return;
  // The text as it would be: the control's with `text` at the caret.
  const std::size_t caret = SelStart();
  std::string all;
  {
    const Talking talking(*this);
    all = WindowText();
  }
  all.insert(caret, text);
  // Cut after the line break that ends the line holding the excess' last byte, so whole lines
  // go; the last line stays, however long.
  const std::size_t keep = capacity_ / 4 * 3;
  const std::size_t excess = all.size() - std::min(keep, all.size());
  const std::size_t lineEnd = all.find("\r\n", excess == 0 ? 0 : excess - 1);
  const std::size_t lastBreak = all.rfind("\r\n");
  const std::size_t lastLine = lastBreak == std::string::npos ? 0 : lastBreak + 2;
  const std::size_t cut = std::min(lineEnd == std::string::npos ? all.size() : lineEnd + 2, lastLine);
  // What goes: the control's text before the caret, then the inserted text, then the
  // control's text after it.
  const std::size_t fromText = cut <= caret ? 0 : std::min(cut - caret, text.size());
  const std::size_t fromControl = cut - fromText;
  text.erase(0, fromText);
  if (fromControl > 0) {
    Select(0, fromControl);
    Replace("");
  }
  const std::size_t moved = caret - std::min(caret, fromControl);
  Select(moved, moved);
}

}  // namespace Win32Ui
