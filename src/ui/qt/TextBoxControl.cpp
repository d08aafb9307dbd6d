#include "ui/qt/TextBoxControl.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
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

void TextBoxControl::SetText(const std::string& text) {
  text_ = text;
  if (!edit_) return;
  edit_->setPlainText(EditText::ToEditor(text_));
  MoveCaret(0);
}

std::size_t TextBoxControl::SelStart() const {
  if (!edit_) return 0;
  const int position = edit_->textCursor().selectionStart();
  // At the end, where the console keeps its caret, no text needs to be read.
  if (position >= EditorLength()) return text_.size();
  return EditText::ByteOffset(text_, position);
}

void TextBoxControl::SetSelStart(std::size_t position) {
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
    edit_->setPlainText(EditText::ToEditor(text_));
  } else {
    // The common case, a console line appended at the end: only the new text is laid out.
    QTextCursor cursor = edit_->textCursor();
    if (caret + text.size() == text_.size())
      cursor.movePosition(QTextCursor::End);
    else
      cursor.setPosition(EditText::EditorPosition(text_, caret));
    cursor.insertText(EditText::ToEditor(text));
  }
  MoveCaret(caret + text.size());
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
