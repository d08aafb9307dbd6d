#pragma once
// ui::Control over Qt widgets, one adapter per kind of control. Strings cross as UTF-8.
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "ui/InertControl.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;

namespace QtUi {

using InertControl = ui::InertControl;

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
