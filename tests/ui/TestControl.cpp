#include "TestControl.h"

#include <algorithm>

namespace uitest {

TestControl::TestControl(const ui::ControlRow& row)
    : row_(row), text_(row.text), visible_((row.flags & ui::kHidden) == 0) {}

std::string TestControl::Text() const {
  if (!IsList()) return text_;
  return listIndex_ >= 0 ? items_[static_cast<std::size_t>(listIndex_)] : std::string();
}

void TestControl::SetText(const std::string& text) {
  if (IsList()) return;  // a drive list's text is its selected entry
  text_ = text;
  caret_ = 0;
}

void TestControl::SetSelStart(std::size_t position) { caret_ = std::min(position, text_.size()); }

void TestControl::InsertAtCaret(const std::string& text) {
  text_.insert(caret_, text);
  caret_ += text.size();
}

void TestControl::SetChecked(int state) {
  if (row_.kind == ui::ControlKind::CheckBox) checked_ = state == 0 ? 0 : 1;
}

void TestControl::SetListIndex(int index) {
  if (IsList() && index >= -1 && index < static_cast<int>(items_.size())) listIndex_ = index;
}

void TestControl::Fill(std::vector<std::string> items, int selected) {
  items_ = std::move(items);
  listIndex_ = -1;
  SetListIndex(selected);
}

}  // namespace uitest
