#pragma once
// A control that answers every call with empty values and ignores every change: what a call
// that does not apply to a control's kind gets, and what an unknown control name gets, in
// every toolkit that draws the windows.
#include <string>
#include <vector>

#include "ui/Toolkit.h"

namespace ui {

class InertControl : public Control {
 public:
  std::string Text() const override { return {}; }
  void SetText(const std::string&) override {}
  std::size_t Length() const override { return Text().size(); }
  std::size_t SelStart() const override { return 0; }
  void SetSelStart(std::size_t) override {}
  void InsertAtCaret(const std::string&) override {}
  bool Visible() const override { return false; }
  void SetVisible(bool) override {}
  int Checked() const override { return 0; }
  void SetChecked(int) override {}
  std::vector<std::string> Items() const override { return {}; }
  int ListIndex() const override { return -1; }
  void SetListIndex(int) override {}
};

}  // namespace ui
