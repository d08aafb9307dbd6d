#include "ModalScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QWidget>

#include "ui/qt/FormWindow.h"

namespace qttest {
namespace {

constexpr int kTickMs = 10;
constexpr int kPatienceTicks = 500;  // five seconds

bool Matches(QWidget* widget, const QString& match) {
  return widget->objectName() == match || widget->inherits(match.toLatin1().constData());
}

}  // namespace

ModalScript::ModalScript() {
  connect(&timer_, &QTimer::timeout, this, &ModalScript::Poll);
  timer_.start(kTickMs);
}

ModalScript::~ModalScript() = default;

ModalScript& ModalScript::On(const QString& match, std::function<void(QWidget*)> action) {
  steps_.push_back({match, std::move(action)});
  return *this;
}

void ModalScript::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != justHandled_) justHandled_ = nullptr;  // another window came up, or none
  if (!modal || !modal->isVisible()) {
    waitingOn_ = nullptr;
    waitedTicks_ = 0;
    return;
  }
  if (modal != justHandled_ && !steps_.empty() && Matches(modal, steps_.front().match)) {
    Step step = std::move(steps_.front());
    steps_.pop_front();
    justHandled_ = modal;
    waitingOn_ = nullptr;
    // Run from the event loop, not from this timer's tick: an action that opens a nested
    // loop (a click that shows a message box) must not keep the timer from ticking.
    QPointer<QWidget> target(modal);
    QMetaObject::invokeMethod(
        this, [target, action = std::move(step.action)] { if (target) action(target); },
        Qt::QueuedConnection);
    return;
  }
  // Nothing takes this window: after a while it is closed, so the test goes on.
  if (waitingOn_ != modal) {
    waitingOn_ = modal;
    waitedTicks_ = 0;
  } else if (++waitedTicks_ > kPatienceTicks) {
    CloseUnexpected(modal);
  }
}

void ModalScript::CloseUnexpected(QWidget* modal) {
  unexpected_ << QStringLiteral("%1 %2").arg(QString::fromLatin1(modal->metaObject()->className()),
                                              modal->windowTitle());
  if (auto* window = qobject_cast<QtUi::FormWindow*>(modal))
    window->Dismiss();
  else if (auto* dialog = qobject_cast<QDialog*>(modal))
    dialog->reject();
  else
    modal->close();
}

std::function<void(QWidget*)> AnswerBox(int standardButton, QString* text, QString* title,
                                        int* icon) {
  return [=](QWidget* widget) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (!box) return;
    if (text) *text = box->text();
    if (title) *title = box->windowTitle();
    if (icon) *icon = box->icon();
    if (QAbstractButton* button = box->button(static_cast<QMessageBox::StandardButton>(standardButton)))
      button->click();
    else
      box->reject();
  };
}

}  // namespace qttest
