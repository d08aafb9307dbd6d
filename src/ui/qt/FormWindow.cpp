#include "ui/qt/FormWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "ui/Geometry.h"
#include "ui/Keyboard.h"
#include "ui/qt/ControlDrawing.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/Images.h"

namespace QtUi {
namespace {

// A line of the table, as ui::LineInPixels places it.
void DrawLine(QPainter& painter, const ui::LineRow& line) {
  const QColor color(line.color.red, line.color.green, line.color.blue);
  const ui::LinePixels pixels = ui::LineInPixels(line);
  if (pixels.isBand) {
    painter.fillRect(QRect(pixels.band.left, pixels.band.top, pixels.band.width, pixels.band.height),
                     color);
  } else {
    painter.setPen(QPen(color, pixels.penWidth));
    painter.drawLine(pixels.x1, pixels.y1, pixels.x2, pixels.y2);
  }
}

}  // namespace

FormWindow::FormWindow(const ui::FormTable& table, ui::WindowEvents& events)
    : table_(table), events_(events) {
  SetUpWindow(table);
  DrawControls(table);
  SetTabOrder(table);
}

FormWindow::~FormWindow() {
  if (modalLoop_) modalLoop_->quit();
}

ui::Control* FormWindow::Find(const std::string& control) {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : it->second.get();
}

void FormWindow::SetUpWindow(const ui::FormTable& table) {
  setObjectName(QString::fromStdString(table.name));
  // A dialog border or a window kept out of the task bar makes a dialog-type window.
  const bool dialog = table.border == ui::Border::FixedDialog || !table.showInTaskbar;
  Qt::WindowFlags flags = dialog ? Qt::Dialog : Qt::Window;
  // A title bar without minimise or maximise box; the close box only when the table says.
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (table.closeBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  setWindowFlags(flags);
  setWindowTitle(QString::fromStdString(table.caption));
  if (table.hasIcon) setWindowIcon(QtImages::AppIcon());
  setFixedSize(ui::TwipsToPixels(table.clientWidth), ui::TwipsToPixels(table.clientHeight));
  setFont(QtFonts::ToQFont(ui::Font{}));
}

void FormWindow::DrawControls(const ui::FormTable& table) {
  // Controls are made in table order, which is also their stacking order (a later one lies
  // over an earlier one); a container is made before what it holds, wherever it stands.
  std::function<QWidget*(const ui::ControlRow&, int)> draw =
      [&](const ui::ControlRow& control, int depth) -> QWidget* {
    if (auto it = controls_.find(control.name); it != controls_.end()) return it->second->Widget();
    QWidget* parent = this;
    if (!control.container.empty() && depth < 8) {
      auto holder = std::find_if(table.controls.begin(), table.controls.end(),
                                 [&](const ui::ControlRow& c) { return c.name == control.container; });
      if (holder != table.controls.end()) parent = draw(*holder, depth + 1);
    }
    auto drawn = DrawControl(control, parent);
    QWidget* widget = drawn->Widget();
    if (control.kind == ui::ControlKind::CommandButton) {
      auto* button = static_cast<QPushButton*>(widget);
      const std::string name = control.name;
      connect(button, &QPushButton::clicked, this, [this, name] {
        if (!dismissed_) events_.Clicked(*this, name);
      });
    }
    controls_[control.name] = std::move(drawn);
    return widget;
  };
  for (const ui::ControlRow& control : table.controls) draw(control, 0);
}

void FormWindow::SetTabOrder(const ui::FormTable& table) {
  const std::vector<const ui::ControlRow*> order = ui::Keyboard::TabOrder(table);
  for (std::size_t i = 1; i < order.size(); ++i)
    setTabOrder(controls_[order[i - 1]->name]->Widget(), controls_[order[i]->name]->Widget());
}

void FormWindow::GiveFirstFocus() {
  const std::string first =
      ui::Keyboard::FirstFocus(table_, [this](const ui::ControlRow& row) {
        QWidget* widget = controls_.at(row.name)->Widget();
        return widget && widget->isVisibleTo(this) && widget->isEnabled();
      });
  // Given before the window is on screen, the focus arrives when the window is activated.
  if (!first.empty()) controls_.at(first)->Widget()->setFocus(Qt::OtherFocusReason);
}

std::string FormWindow::FocusedControl() const {
  for (QWidget* widget = focusWidget(); widget && widget != this; widget = widget->parentWidget()) {
    auto it = controls_.find(widget->objectName().toStdString());
    if (it != controls_.end() && it->second->Widget() == widget) return it->first;
  }
  return {};
}

void FormWindow::BringToFront() {
  raise();
  activateWindow();
}

void FormWindow::PresentOver(QWidget* owner) {
  // After the load step, which may have shown or hidden controls.
  if (!isVisible()) GiveFirstFocus();
  winId();  // the native window must exist to name its owner and know its frame
  QWindow* handle = windowHandle();
  if (owner && handle) handle->setTransientParent(owner->windowHandle());
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    // The whole window, title bar and borders included, stands at the centre.
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    const QSize outer = size().grownBy(frame);
    move(screen->availableGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2));
  }
  show();
  raise();
  activateWindow();
}

void FormWindow::AfterPaint(std::function<void()> work) {
  // What the work starts (a scan) keeps the event loop away until it ends, so the window is
  // painted again, whole and as it stands, just before: a control changed since the first
  // paint would otherwise wait, unpainted, for an update that comes only after the work.
  auto painted = [this, work = std::move(work)] {
    if (dismissed_) return;
    repaint();
    work();
  };
  if (painted_) {
    QMetaObject::invokeMethod(this, std::move(painted), Qt::QueuedConnection);
    return;
  }
  afterPaint_.push_back(std::move(painted));
  if (isVisible()) repaint();
}

void FormWindow::Dismiss() {
  if (dismissed_) return;
  dismissed_ = true;
  afterPaint_.clear();
  if (modalLoop_) modalLoop_->quit();
  hide();
}

bool FormWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::WindowActivate && !dismissed_) events_.Activated(*this);
  return handled;
}

void FormWindow::PressIfUsable(const std::string& control) {
  auto it = controls_.find(control);
  auto* button = it == controls_.end() ? nullptr : qobject_cast<QPushButton*>(it->second->Widget());
  if (button && button->isVisible() && button->isEnabled()) button->click();
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
  // Keys reach the window when the control with the focus did not take them.
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        return PressIfUsable(ui::Keyboard::EnterPresses(table_, FocusedControl()));
      case Qt::Key_Escape:
        return PressIfUsable(ui::Keyboard::EscPresses(table_));
      default:
        break;
    }
  }
  QWidget::keyPressEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (dismissed_) return event->accept();
  // The close box asks the window's logic; the window manager unloads it when it may close.
  event->ignore();
  events_.CloseBoxPressed(*this);
}

void FormWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (const ui::LineRow& line : table_.lines) DrawLine(painter, line);
  painted_ = true;
  // Queued, so the work starts only once this paint has reached the screen.
  for (auto& work : afterPaint_) QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
  afterPaint_.clear();
}

}  // namespace QtUi
