#include "ui/qt/ControlDrawing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "ui/DriveChoice.h"
#include "ui/Geometry.h"
#include "ui/Keyboard.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/Images.h"
#include "ui/qt/TextBoxControl.h"

namespace QtUi {
namespace {

using ui::ControlKind;
using ui::ControlRow;

QColor ToQColor(const ui::Color& color) { return QColor(color.red, color.green, color.blue); }

void SetColors(QWidget* widget, const ControlRow& row, QPalette::ColorRole textRole,
               QPalette::ColorRole backRole) {
  QPalette palette = widget->palette();
  if (row.foreColor) palette.setColor(textRole, ToQColor(*row.foreColor));
  if (row.backColor) {
    palette.setColor(backRole, ToQColor(*row.backColor));
    widget->setAutoFillBackground(true);
  }
  widget->setPalette(palette);
}

QWidget* MakeLabel(const ControlRow& row, QWidget* parent, std::unique_ptr<WidgetControl>& out) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Static text on the original platform always breaks at word boundaries within its box;
  // kWrap marks the labels whose text is expected to need it, but every label behaves so.
  label->setWordWrap(true);
  SetColors(label, row, QPalette::WindowText, QPalette::Window);
  out = std::make_unique<LabelControl>(label);
  return label;
}

QWidget* MakeButton(const ControlRow& row, QWidget* parent, std::unique_ptr<WidgetControl>& out) {
  auto* button = new QPushButton(parent);
  // Enter reaches the window, which presses what the keyboard rule says; a button does not
  // take Enter for itself just because it has the focus. The default button is drawn so.
  button->setAutoDefault(false);
  button->setDefault((row.flags & ui::kDefault) != 0);
  if (row.flags & ui::kHandCursor) button->setCursor(QtImages::HandCursor());
  SetColors(button, row, QPalette::ButtonText, QPalette::Button);
  out = std::make_unique<ButtonControl>(button);
  return button;
}

QWidget* MakeCheckBox(const ControlRow& row, QWidget* parent,
                      std::unique_ptr<WidgetControl>& out) {
  auto* box = new QCheckBox(parent);
  SetColors(box, row, QPalette::WindowText, QPalette::Window);
  out = std::make_unique<ButtonControl>(box);
  return box;
}

QWidget* MakeTextBox(const ControlRow& row, QWidget* parent,
                     std::unique_ptr<WidgetControl>& out) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setUndoRedoEnabled(false);
  const bool multiLine = (row.flags & ui::kMultiLine) != 0;
  // A multi-line box without a horizontal scroll bar wraps its lines at the box's edge.
  edit->setLineWrapMode(multiLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  edit->setVerticalScrollBarPolicy((row.flags & ui::kVScroll) ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
  if (row.flags & ui::kReadOnly) {
    edit->setReadOnly(true);
    // The user may still move the caret and select, as in a locked text box.
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  SetColors(edit, row, QPalette::Text, QPalette::Base);
  out = std::make_unique<TextBoxControl>(edit);
  return edit;
}

QWidget* MakeFrame(const ControlRow& row, QWidget* parent, std::unique_ptr<WidgetControl>& out) {
  auto* frame = new QGroupBox(parent);
  // As on the original platform: an etched line round the box, the caption standing on its
  // top edge near the left; the held controls are placed from the box's outer corner.
  frame->setStyleSheet(QStringLiteral(
      "QGroupBox { border: 2px groove rgb(160, 160, 160); margin-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
      " left: 6px; padding: 0px 2px; }"));
  SetColors(frame, row, QPalette::WindowText, QPalette::Window);
  out = std::make_unique<FrameControl>(frame);
  return frame;
}

QWidget* MakePictureBox(const ControlRow& row, QWidget* parent,
                        std::unique_ptr<WidgetControl>& out) {
  auto* picture = new QLabel(parent);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The picture is drawn at its own size from the top left corner, cut off at the edges.
  picture->setScaledContents(false);
  if (row.flags & ui::kBanner) picture->setPixmap(QtImages::Banner());
  if (row.flags & ui::kAppIcon) picture->setPixmap(QtImages::AppIconPixmap(32));
  if (!(row.flags & ui::kNoBorder)) picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  // Without a colour of its own a picture box shows the window's face colour.
  SetColors(picture, row, QPalette::WindowText, QPalette::Window);
  out = std::make_unique<WidgetControl>(picture);
  return picture;
}

QWidget* MakeDriveList(const ControlRow& row, QWidget* parent,
                       std::unique_ptr<WidgetControl>& out) {
  auto* list = new QComboBox(parent);
  list->setEditable(false);
  const DriveChoice::Drives drives = DriveChoice::MachineDrives();
  for (const std::string& entry : drives.entries) list->addItem(QString::fromStdString(entry));
  list->setCurrentIndex(drives.selected);
  SetColors(list, row, QPalette::Text, QPalette::Base);
  out = std::make_unique<ListControl>(list);
  return list;
}

QWidget* MakeProgressBar(const ControlRow& row, QWidget* parent,
                         std::unique_ptr<WidgetControl>& out) {
  auto* bar = new QProgressBar(parent);
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  if (row.flags & ui::kFlat)
    bar->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid rgb(128, 128, 128); background: transparent; }"
        "QProgressBar::chunk { background: rgb(0, 0, 128); }"));
  out = std::make_unique<WidgetControl>(bar);
  return bar;
}

QWidget* MakeWidget(const ControlRow& row, QWidget* parent, std::unique_ptr<WidgetControl>& out) {
  switch (row.kind) {
    case ControlKind::Label: return MakeLabel(row, parent, out);
    case ControlKind::CommandButton: return MakeButton(row, parent, out);
    case ControlKind::TextBox: return MakeTextBox(row, parent, out);
    case ControlKind::CheckBox: return MakeCheckBox(row, parent, out);
    case ControlKind::Frame: return MakeFrame(row, parent, out);
    case ControlKind::PictureBox: return MakePictureBox(row, parent, out);
    case ControlKind::DriveList: return MakeDriveList(row, parent, out);
    case ControlKind::ProgressBar: return MakeProgressBar(row, parent, out);
  }
  return MakeLabel(row, parent, out);
}

}  // namespace

std::unique_ptr<WidgetControl> DrawControl(const ControlRow& row, QWidget* parent) {
  std::unique_ptr<WidgetControl> control;
  QWidget* widget = MakeWidget(row, parent, control);
  widget->setObjectName(QString::fromStdString(row.name));
  widget->setFont(QtFonts::ToQFont(row.font));
  const ui::PixelRect place = ui::ControlPlace(row);
  widget->setGeometry(place.left, place.top, place.width, place.height);
  widget->setFocusPolicy(ui::Keyboard::TakesFocus(row.kind) ? Qt::StrongFocus : Qt::NoFocus);
  if (!row.toolTip.empty()) widget->setToolTip(QString::fromStdString(row.toolTip));
  // The caption goes through the adapter, which knows how each kind shows text.
  if (!row.text.empty()) control->SetText(row.text);
  if (row.flags & ui::kHidden) widget->hide();
  return control;
}

}  // namespace QtUi
