#pragma once
// A text box over an edit control. Text() gives back exactly what was written, byte for byte
// (CR LF breaks).
//
// The console grows line by line while a scan keeps the message loop away, so nothing is drawn
// meanwhile. Lines appended at the end are kept here and handed to the control together, in
// one insertion, once control is back in the message loop; an insertion costs the control
// about as much for one line as for thousands (it lays out, scrolls and redraws its scroll bar
// each time). Anything else that reaches the control first (a paint, a key, a click, a
// WM_GETTEXT from elsewhere) has the kept lines handed over before it, so the control never
// shows or tells anything older than what was written. Length() and the caret of kept lines
// are known without asking the control.
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

  // Raises the control's limit (by default about 30,000 characters) to hold the capacity, and
  // watches the messages that reach the control.
  TextBoxControl(HWND edit, std::size_t capacity);
  // Hands kept lines to the control, which stays as it is.
  ~TextBoxControl() override;
  TextBoxControl(const TextBoxControl&) = delete;
  TextBoxControl& operator=(const TextBoxControl&) = delete;

  std::string Text() const override;
  // Replaces the text; the caret goes to the start.
  void SetText(const std::string& text) override;
  std::size_t Length() const override;
  std::size_t SelStart() const override;
  void SetSelStart(std::size_t position) override;
  void InsertAtCaret(const std::string& text) override;

 private:
  class Talking;
  static LRESULT CALLBACK WatchProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  void Watch();
  void Unwatch();

  // Hands the kept lines to the control.
  void Flush();
  // Inserts at the control's caret, making room first.
  void Insert(const std::string& text);
  std::size_t ControlLength() const;
  void Select(std::size_t start, std::size_t end) const;
  void Replace(const std::string& text) const;
  // Drops the oldest whole lines so that `text`, inserted at the caret, stays within the
  // capacity: from the control's text and, when that is not enough, from `text` itself.
  void MakeRoom(std::string& text);

  std::size_t capacity_;
  std::string pending_;    // appended at the end, not yet in the control
  std::size_t base_ = 0;   // the control's length when pending_ began
  mutable int talking_ = 0;  // messages sent now are the box's own
};

}  // namespace Win32Ui
