#pragma once
// A text box over a QPlainTextEdit. The program's text (UTF-8, CR LF breaks) is kept as it
// was written, so Text() gives back exactly those bytes and the caret is a byte offset into
// them; the editor shows the same text with its own line breaks. A caret at the end, where the
// console keeps it, is placed and read without going through the text, and lines appended
// there reach the editor together once control is back in the event loop, so appending a line
// costs the line, however long the console has grown.
#include <QPointer>
#include <QString>
#include <memory>
#include <string>

#include "ui/qt/QtControls.h"

class QPlainTextEdit;

namespace QtUi {

class TextBoxControl final : public WidgetControl {
 public:
  explicit TextBoxControl(QPlainTextEdit* edit);
  ~TextBoxControl() override;
  std::string Text() const override { return text_; }
  std::size_t Length() const override { return text_.size(); }
  // Replaces the text; the caret goes to the start, as on the original platform.
  void SetText(const std::string& text) override;
  // The start of the selection, wherever the user or the program left it.
  std::size_t SelStart() const override;
  void SetSelStart(std::size_t position) override;
  void InsertAtCaret(const std::string& text) override;

 private:
  void MoveCaret(std::size_t byteOffset);
  // Hands the text appended at the end to the editor, now or once control is back in the
  // event loop.
  void Flush();
  void ScheduleFlush();
  // The editor's text length in its own units, read without going through the text.
  int EditorLength() const;

  QPointer<QPlainTextEdit> edit_;
  std::string text_;
  QString pending_;  // appended at the end, not yet in the editor
  bool flushScheduled_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace QtUi
