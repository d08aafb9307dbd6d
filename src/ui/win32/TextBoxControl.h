#pragma once
// A text box over an edit control. The control holds the program's text byte for byte (CR LF
// breaks), so Text() gives back exactly what was written. The console grows line by line, and
// a line costs the line: its length, the caret at the end and an insertion there are asked of
// the control (GetWindowTextLengthA, EM_SETSEL, EM_REPLACESEL), never read through the text.
//
// A multi-line edit control holds at most 65,535 bytes on Windows 95, 98 and Me, and takes no
// more in silence. A text box is given a capacity below what its control holds: an insertion
// that would pass it first drops the oldest whole lines, down to three quarters of the
// capacity, so the newest lines (the end of a scan, where its files were saved) are always
// shown. Only then is the whole text read, once per quarter of the capacity.
#include <cstddef>
#include <string>

#include "ui/win32/Win32Controls.h"

namespace Win32Ui {

class TextBoxControl final : public WindowControl {
 public:
  // What the console keeps on Windows 95, 98 and Me; elsewhere the control's own limit is
  // raised to the largest there is, and nothing is ever dropped.
  static constexpr std::size_t kWindows9xCapacity = 60000;
  static constexpr std::size_t kUnlimited = static_cast<std::size_t>(-1);

  // Raises the control's limit (by default about 30,000 characters) to hold the capacity.
  TextBoxControl(HWND edit, std::size_t capacity);

  std::string Text() const override { return WindowText(); }
  // Replaces the text; the caret goes to the start.
  void SetText(const std::string& text) override;
  std::size_t Length() const override;
  std::size_t SelStart() const override;
  void SetSelStart(std::size_t position) override;
  void InsertAtCaret(const std::string& text) override;

 private:
  void Select(std::size_t start, std::size_t end) const;
  void Replace(const std::string& text) const;
  // Drops the oldest lines so that `incoming` more bytes stay within the capacity.
  void MakeRoom(std::size_t incoming);

  std::size_t capacity_;
};

}  // namespace Win32Ui
