#pragma once
// ui::Control over Qt widgets, one adapter per kind of control. Strings cross as UTF-8.
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "ui/Toolkit.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;

namespace QtUi {

// Answers every call with empty values and ignores every change: what a call that does not
// apply to a control's kind gets, and what an unknown name gets.
class InertControl : public ui::Control {
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

// A control drawn as a widget: visibility for every kind (picture boxes and progress bars
// have nothing more).
class WidgetControl : public InertControl {
 public:
  explicit WidgetControl(QWidget* widget) : widget_(widget) {}
  QWidget* Widget() const { return widget_; }
  // The control's own visibility, whether or not its window is on screen.
  bool Visible() const override { return widget_ && !widget_->isHidden(); }
  void SetVisible(bool visible) override;

 private:
  QPointer<QWidget> widget_;
};

// A label: shows its text with each CR LF as a line break, and gives back the text exactly
// as it was set.
class LabelControl final : public WidgetControl {
 public:
  explicit LabelControl(QLabel* label);
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;

 private:
  QPointer<QLabel> label_;
  std::string text_;
};

// A command button or a check box: its caption, and a check box's state.
class ButtonControl final : public WidgetControl {
 public:
  explicit ButtonControl(QAbstractButton* button);
  std::string Text() const override;
  void SetText(const std::string& text) override;
  int Checked() const override;
  void SetChecked(int state) override;

 private:
  QPointer<QAbstractButton> button_;
};

// A frame: its caption.
class FrameControl final : public WidgetControl {
 public:
  explicit FrameControl(QGroupBox* frame);
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QPointer<QGroupBox> frame_;
};

// A drop-down list: its entries and selection; its text is the selected entry.
class ListControl final : public WidgetControl {
 public:
  explicit ListControl(QComboBox* list);
  std::string Text() const override;
  std::vector<std::string> Items() const override;
  int ListIndex() const override;
  // An index outside the list (other than -1, no selection) is ignored.
  void SetListIndex(int index) override;

 private:
  QPointer<QComboBox> list_;
};

}  // namespace QtUi
