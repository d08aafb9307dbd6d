#include "ui/qt/ControlDrawing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "ui/qt/DriveChoice.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/Images.h"
#include "ui/qt/TextBoxControl.h"

namespace QtUi {
namespace {

using ui::ControlKind;
using ui::ControlRow;

QColor ToQColor(const ui::Color& color) { return QColor(color.red, color.green, color.blue); }

void SetColors(QWidget* widget, const ControlRow& table, QPalette::ColorRole textRole,
               QPalette::ColorRole backRole) {
  QPalette palette = widget->palette();
  if (table.foreColor) palette.setColor(textRole, ToQColor(*table.foreColor));
  if (table.backColor) {
    palette.setColor(backRole, ToQColor(*table.backColor));
    widget->setAutoFillBackground(true);
  }
  widget->setPalette(palette);
}

QWidget* MakeLabel(const ControlRow& table, QWidget* parent, std::unique_ptr<WidgetControl>& out) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Static text on the original platform always breaks at word boundaries within its box;
  // kWrap marks the labels whose text is expected to need it, but every label behaves so.
  label->setWordWrap(true);
  SetColors(label, table, QPalette::WindowText, QPalette::Window);
  out = std::make_unique<LabelControl>(label);
  return label;
}

QWidget* MakeButton(const ControlRow& table, QWidget* parent, std::unique_ptr<WidgetControl>& out) {
  auto* button = new QPushButton(parent);
  // Enter presses the button that has the focus; the window handles Enter elsewhere.
  button->setAutoDefault(true);
  button->setDefault((table.flags & ui::kDefault) != 0);
  if (table.flags & ui::kHandCursor) button->setCursor(QtImages::HandCursor());
  SetColors(button, table, QPalette::ButtonText, QPalette::Button);
  out = std::make_unique<ButtonControl>(button);
  return button;
}

QWidget* MakeCheckBox(const ControlRow& table, QWidget* parent,
                      std::unique_ptr<WidgetControl>& out) {
  auto* box = new QCheckBox(parent);
  SetColors(box, table, QPalette::WindowText, QPalette::Window);
  out = std::make_unique<ButtonControl>(box);
  return box;
}

QWidget* MakeTextBox(const ControlRow& table, QWidget* parent,
                     std::unique_ptr<WidgetControl>& out) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setUndoRedoEnabled(false);
  const bool multiLine = (table.flags & ui::kMultiLine) != 0;
  // A multi-line box without a horizontal scroll bar wraps its lines at the box's edge.
  edit->setLineWrapMode(multiLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  edit->setVerticalScrollBarPolicy((table.flags & ui::kVScroll) ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
  if (table.flags & ui::kReadOnly) {
    edit->setReadOnly(true);
    // The user may still move the caret and select, as in a locked text box.
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  SetColors(edit, table, QPalette::Text, QPalette::Base);
  out = std::make_unique<TextBoxControl>(edit);
  return edit;
}

QWidget* MakeFrame(const ControlRow& table, QWidget* parent, std::unique_ptr<WidgetControl>& out) {
  auto* frame = new QGroupBox(parent);
  // As on the original platform: an etched line round the box, the caption standing on its
  // top edge near the left; the held controls are placed from the box's outer corner.
  frame->setStyleSheet(QStringLiteral(
      "QGroupBox { border: 2px groove rgb(160, 160, 160); margin-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
      " left: 6px; padding: 0px 2px; }"));
  SetColors(frame, table, QPalette::WindowText, QPalette::Window);
  out = std::make_unique<FrameControl>(frame);
  return frame;
}

QWidget* MakePictureBox(const ControlRow& table, QWidget* parent,
                        std::unique_ptr<WidgetControl>& out) {
  auto* picture = new QLabel(parent);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The picture is drawn at its own size from the top left corner, cut off at the edges.
  picture->setScaledContents(false);
  if (table.flags & ui::kBanner) picture->setPixmap(QtImages::Banner());
  if (table.flags & ui::kAppIcon) picture->setPixmap(QtImages::AppIconPixmap(32));
  if (!(table.flags & ui::kNoBorder)) picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  ControlRow white = table;
  if (!white.backColor) white.backColor = ui::Color{255, 255, 255};
  SetColors(picture, white, QPalette::WindowText, QPalette::Window);
  out = std::make_unique<WidgetControl>(picture);
  return picture;
}

QWidget* MakeDriveList(const ControlRow& table, QWidget* parent,
                       std::unique_ptr<WidgetControl>& out) {
  auto* list = new QComboBox(parent);
  list->setEditable(false);
  const DriveChoice::Drives drives = DriveChoice::MachineDrives();
  for (const std::string& entry : drives.entries) list->addItem(QString::fromStdString(entry));
  list->setCurrentIndex(drives.selected);
  SetColors(list, table, QPalette::Text, QPalette::Base);
  out = std::make_unique<ListControl>(list);
  return list;
}

QWidget* MakeProgressBar(const ControlRow& table, QWidget* parent,
                         std::unique_ptr<WidgetControl>& out) {
  auto* bar = new QProgressBar(parent);
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  if (table.flags & ui::kFlat)
    bar->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid rgb(128, 128, 128); background: transparent; }"
        "QProgressBar::chunk { background: rgb(0, 0, 128); }"));
  out = std::make_unique<WidgetControl>(bar);
  return bar;
}

QWidget* MakeWidget(const ControlRow& table, QWidget* parent, std::unique_ptr<WidgetControl>& out) {
  switch (table.kind) {
    case ControlKind::Label: return MakeLabel(table, parent, out);
    case ControlKind::CommandButton: return MakeButton(table, parent, out);
    case ControlKind::TextBox: return MakeTextBox(table, parent, out);
    case ControlKind::CheckBox: return MakeCheckBox(table, parent, out);
    case ControlKind::Frame: return MakeFrame(table, parent, out);
    case ControlKind::PictureBox: return MakePictureBox(table, parent, out);
    case ControlKind::DriveList: return MakeDriveList(table, parent, out);
    case ControlKind::ProgressBar: return MakeProgressBar(table, parent, out);
  }
  return MakeLabel(table, parent, out);
}

}  // namespace

bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::CommandButton || kind == ControlKind::TextBox ||
         kind == ControlKind::CheckBox || kind == ControlKind::DriveList;
}

std::unique_ptr<WidgetControl> DrawControl(const ControlRow& table, QWidget* parent) {
  std::unique_ptr<WidgetControl> control;
  QWidget* widget = MakeWidget(table, parent, control);
  widget->setObjectName(QString::fromStdString(table.name));
  widget->setFont(QtFonts::ToQFont(table.font));
  widget->setGeometry(ui::TwipsToPixels(table.rect.left), ui::TwipsToPixels(table.rect.top),
                      ui::TwipsToPixels(table.rect.width), ui::TwipsToPixels(table.rect.height));
  widget->setFocusPolicy(TakesFocus(table.kind) ? Qt::StrongFocus : Qt::NoFocus);
  if (!table.toolTip.empty()) widget->setToolTip(QString::fromStdString(table.toolTip));
  // The caption goes through the adapter, which knows how each kind shows text.
  if (!table.text.empty()) control->SetText(table.text);
  if (table.flags & ui::kHidden) widget->hide();
  return control;
}

}  // namespace QtUi
