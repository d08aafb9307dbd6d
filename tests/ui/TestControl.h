#pragma once
// A control of the test toolkit's windows, drawn by nothing.
#include <string>
#include <vector>

#include "ui/FormTable.h"
#include "ui/Toolkit.h"

namespace uitest {

// A control that holds its state in memory, starting from its table row.
class TestControl final : public ui::Control {
 public:
  explicit TestControl(const ui::ControlRow& row);

  const ui::ControlRow& Row() const { return row_; }

  std::string Text() const override;
  void SetText(const std::string& text) override;
  std::size_t Length() const override { return text_.size(); }
  std::size_t SelStart() const override { return caret_; }
  void SetSelStart(std::size_t position) override;
  void InsertAtCaret(const std::string& text) override;
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  int Checked() const override { return checked_; }
  void SetChecked(int state) override;
  std::vector<std::string> Items() const override { return items_; }
  int ListIndex() const override { return listIndex_; }
  void SetListIndex(int index) override;

  // A drive list's entries and the selection the platform makes before the load step.
  void Fill(std::vector<std::string> items, int selected);

 private:
  bool IsList() const { return row_.kind == ui::ControlKind::DriveList; }

  ui::ControlRow row_;
  std::string text_;
  std::size_t caret_ = 0;
  bool visible_ = true;
  int checked_ = 0;
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

}  // namespace uitest
