#pragma once
// Stand-ins for the controls the scan engine touches: a console text box with a caret, a
// window that records being unloaded, a control that records being shown.
#include <string>

#include "scan/ScreenPorts.h"

namespace testsupport {

class FakeTextBox : public ScreenPorts::TextBox {
 public:
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override {
    text_ = text;
    caret_ = 0;
  }
  std::size_t Length() const override { return text_.size(); }
  std::size_t SelStart() const override { return caret_; }
  void SetSelStart(std::size_t position) override {
    caret_ = position > text_.size() ? text_.size() : position;
  }
  void InsertAtCaret(const std::string& text) override {
    text_.insert(caret_, text);
    caret_ += text.size();
  }

 private:
  std::string text_;
  std::size_t caret_ = 0;
};

class FakeWindow : public ScreenPorts::Window {
 public:
  int unloads = 0;
  void Unload() override { ++unloads; }
};

class FakeShowable : public ScreenPorts::Showable {
 public:
  bool visible = false;
  int changes = 0;
  void SetVisible(bool value) override {
    visible = value;
    ++changes;
  }
};

}  // namespace testsupport
