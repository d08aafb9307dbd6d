#include "ui/qt/TextBoxControl.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cstdint>

#include "ui/qt/EditText.h"

namespace QtUi {
namespace {

// Whether a byte may join with its neighbour into one break or character, so that the
// editor's text around an insertion would not be the two sides' texts side by side.
bool MayJoin(char byte) { return byte == '\r' || static_cast<std::uint8_t>(byte) >= 0x80; }

}  // namespace

TextBoxControl::TextBoxControl(QPlainTextEdit* edit) : WidgetControl(edit), edit_(edit) {}

TextBoxControl::~TextBoxControl() = default;

void TextBoxControl::SetText(const std::string& text) {
  text_ = text;
  pending_.clear();
  if (!edit_) return;
  edit_->setPlainText(EditText::ToEditor(text_));
  MoveCaret(0);
}

std::size_t TextBoxControl::SelStart() const {
  if (!edit_) return 0;
  // Text waiting to be shown was appended at the end, where it left the caret.
  if (!pending_.isEmpty()) return text_.size();
  const int position = edit_->textCursor().selectionStart();
  // At the end, where the console keeps its caret, no text needs to be read.
  if (position >= EditorLength()) return text_.size();
  return EditText::ByteOffset(text_, position);
}

void TextBoxControl::SetSelStart(std::size_t position) {
  if (position >= text_.size() && !pending_.isEmpty()) return;  // there already
  Flush();
  MoveCaret(std::min(position, text_.size()));
}

void TextBoxControl::InsertAtCaret(const std::string& text) {
  if (text.empty()) return;
  const std::size_t caret = SelStart();
  const bool joinsBefore = caret > 0 && MayJoin(text_[caret - 1]);
  const bool joinsAfter = caret < text_.size() && MayJoin(text.back());
  text_.insert(caret, text);
  if (!edit_) return;
  if (joinsBefore || joinsAfter) {
    pending_.clear();
    edit_->setPlainText(EditText::ToEditor(text_));
  } else if (caret + text.size() == text_.size()) {
    // The common case, a console line appended at the end. A scan writes its lines without
    // handing control back, so nothing is drawn meanwhile; the editor takes them all at once
    // when control is back in the event loop, which costs far less than a line at a time.
    pending_ += EditText::ToEditor(text);
    ScheduleFlush();
    return;
  } else {
    Flush();
    QTextCursor cursor = edit_->textCursor();
    cursor.setPosition(EditText::EditorPosition(text_, caret));
    cursor.insertText(EditText::ToEditor(text));
  }
  MoveCaret(caret + text.size());
}

void TextBoxControl::ScheduleFlush() {
  if (flushScheduled_) return;
  flushScheduled_ = true;
  // The editor outlives a control on the stack; a flush for a control that is gone does nothing.
  std::weak_ptr<bool> alive = alive_;
  QTimer::singleShot(0, edit_.data(), [this, alive] {
    if (alive.lock()) Flush();
  });
}

void TextBoxControl::Flush() {
  flushScheduled_ = false;
  if (!edit_ || pending_.isEmpty()) return;
  QTextCursor cursor = edit_->textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(pending_);
  pending_.clear();
  edit_->setTextCursor(cursor);
  edit_->ensureCursorVisible();
}

int TextBoxControl::EditorLength() const {
  // The document counts one paragraph end more than the text holds.
  return edit_ ? edit_->document()->characterCount() - 1 : 0;
}

void TextBoxControl::MoveCaret(std::size_t byteOffset) {
  if (!edit_) return;
  QTextCursor cursor = edit_->textCursor();
  if (byteOffset >= text_.size())
    cursor.movePosition(QTextCursor::End);
  else
    cursor.setPosition(EditText::EditorPosition(text_, byteOffset));
  edit_->setTextCursor(cursor);
  edit_->ensureCursorVisible();
}

}  // namespace QtUi
