#pragma once
// Answers the modal windows a test sets off: message boxes, file dialogs and the program's
// own modal windows. Each step waits for the next modal window that matches it (by object
// name, the form's name, or by class name) and acts on it. A modal window that no step
// takes is closed after a while and reported, so a test never hangs.
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace qttest {

class ModalScript : public QObject {
  Q_OBJECT

 public:
  ModalScript();
  ~ModalScript() override;

  // The next modal window matching `match` gets `action`.
  ModalScript& On(const QString& match, std::function<void(QWidget*)> action);
  // Steps not yet taken.
  int Pending() const { return static_cast<int>(steps_.size()); }
  // Modal windows no step took, closed by the watchdog ("<class> <title>").
  const QStringList& Unexpected() const { return unexpected_; }

 private:
  struct Step {
    QString match;
    std::function<void(QWidget*)> action;
  };
  void Poll();
  void CloseUnexpected(QWidget* modal);

  QTimer timer_;
  std::deque<Step> steps_;
  // The window the last step acted on; it is not taken again while it stays the active
  // modal window, but it is once another has come and gone (a box over it, say).
  QPointer<QWidget> justHandled_;
  QPointer<QWidget> waitingOn_;
  int waitedTicks_ = 0;
  QStringList unexpected_;
};

// Actions for steps.
// Presses a message box's button (Ok or Cancel) and records the box's text and title.
std::function<void(QWidget*)> AnswerBox(int standardButton, QString* text = nullptr,
                                        QString* title = nullptr, int* icon = nullptr);

}  // namespace qttest
