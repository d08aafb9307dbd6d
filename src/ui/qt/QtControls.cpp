#include "ui/qt/QtControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "ui/qt/EditText.h"

namespace QtUi {
namespace {

// Static text on the original platform breaks lines only at blanks; Qt would also break
// after "/" and "-" ("V2/" | "V3.1/V4"). A word joiner after them keeps such words whole.
QString LabelShown(const std::string& text) {
  const QString plain = EditText::ToEditor(text);
  QString shown;
  shown.reserve(plain.size());
  for (qsizetype i = 0; i < plain.size(); ++i) {
    shown.append(plain[i]);
    const bool joinable = plain[i] == u'/' || plain[i] == u'-';
    if (joinable && i + 1 < plain.size() && !plain[i + 1].isSpace()) shown.append(QChar(0x2060));
  }
  return shown;
}

}  // namespace

void WidgetControl::SetVisible(bool visible) {
  if (widget_) widget_->setVisible(visible);
}

LabelControl::LabelControl(QLabel* label) : WidgetControl(label), label_(label) {}

void LabelControl::SetText(const std::string& text) {
  text_ = text;
  if (label_) label_->setText(LabelShown(text));
}

ButtonControl::ButtonControl(QAbstractButton* button) : WidgetControl(button), button_(button) {}

std::string ButtonControl::Text() const { return button_ ? button_->text().toStdString() : ""; }

void ButtonControl::SetText(const std::string& text) {
  if (button_) button_->setText(QString::fromStdString(text));
}

int ButtonControl::Checked() const { return button_ && button_->isChecked() ? 1 : 0; }

void ButtonControl::SetChecked(int state) {
  if (button_ && button_->isCheckable()) button_->setChecked(state != 0);
}

FrameControl::FrameControl(QGroupBox* frame) : WidgetControl(frame), frame_(frame) {}

std::string FrameControl::Text() const { return frame_ ? frame_->title().toStdString() : ""; }

void FrameControl::SetText(const std::string& text) {
  if (frame_) frame_->setTitle(QString::fromStdString(text));
}

ListControl::ListControl(QComboBox* list) : WidgetControl(list), list_(list) {}

std::string ListControl::Text() const {
  if (!list_ || list_->currentIndex() < 0) return {};
  return list_->currentText().toStdString();
}

std::vector<std::string> ListControl::Items() const {
  std::vector<std::string> items;
  if (!list_) return items;
  for (int i = 0; i < list_->count(); ++i) items.push_back(list_->itemText(i).toStdString());
  return items;
}

int ListControl::ListIndex() const { return list_ ? list_->currentIndex() : -1; }

void ListControl::SetListIndex(int index) {
  if (!list_ || index < -1 || index >= list_->count()) return;
  list_->setCurrentIndex(index);
}

}  // namespace QtUi
