#pragma once
// What the scan engine may touch on the screen: a console text box, a window it can
// unload, a control it can show. The windows pass real controls; tests pass fakes.
#include <cstddef>
#include <string>

namespace ScreenPorts {

class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  // The length of Text() in bytes, without copying it: the console grows line by line, and
  // each line must cost what the line costs, not what the whole console costs.
  virtual std::size_t Length() const = 0;
  // The caret (selection start) as a byte offset into Text(); the selection becomes empty.
  virtual std::size_t SelStart() const = 0;
  virtual void SetSelStart(std::size_t position) = 0;
  // Inserts at the caret and leaves the caret after the inserted text (scrolled into view).
  virtual void InsertAtCaret(const std::string& text) = 0;
};

class Window {
 public:
  virtual ~Window() = default;
  virtual void Unload() = 0;
};

class Showable {
 public:
  virtual ~Showable() = default;
  virtual void SetVisible(bool visible) = 0;
};

// For a caller of the local scan that has no progress window to close and no "Open saved
// directory" button to show (a terminal, a benchmark).
class NoWindow final : public Window {
 public:
  void Unload() override {}
};
class NoButton final : public Showable {
 public:
  void SetVisible(bool) override {}
};

}  // namespace ScreenPorts
