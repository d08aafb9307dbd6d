// The Qt toolkit's own rules, on windows of the test's own: loading, modeless and modal
// showing, activation after painting, unloading from a window's own handler, the close box,
// Enter and Esc, and when the program ends.
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QImage>
#include <QScreen>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "ModalScript.h"
#include "QtTestSupport.h"
#include "support/ScriptedForm.h"
#include "ui/qt/QtToolkit.h"
#include "ui/qt/QtDialogs.h"

using testsupport::Chain;
using testsupport::ScriptedForm;
using Log = std::vector<std::string>;

namespace {

// Counts the paint events a window gets.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Keeps the platform's activations from a window until Activate() reports one itself.
class LateActivation : public QObject {
 public:
  void Activate(QWidget* window) {
    held_ = false;
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(window, &activation);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    return held_ && event->type() == QEvent::WindowActivate;
  }

 private:
  bool held_ = true;
};

}  // namespace

class ToolkitTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void loadStepRunsBeforeTheWindowIsShownAndOnEveryLoad();
  void gettingAControlLoadsItsWindowHidden();
  void unknownWindowsAndControlsAreHarmless();
  void showModalReturnsOnceTheWindowIsUnloaded();
  void activationComesAfterPaintingAndMayUnloadTheWindow();
  void activationFindsTheWindowOnScreenAsItStands();
  void messageBoxesDoNotActivateAWindowAgain();
  void programLivesBetweenUnloadingOneWindowAndShowingTheNext();
  void closeBoxAsksTheWindow();
  void windowWithoutCloseBoxHasNone();
  void endProgramEndsAtOnce();
  void enterAndEscPressTheDefaultAndCancelButtons();

 private:
  // Shows a window and waits until it is active and its activation has run.
  QWidget* Open(const std::string& name);

  std::unique_ptr<testsupport::FormBook> book_;
  std::unique_ptr<QtUi::QtToolkit> tk_;
  bool ended_ = false;
};

void ToolkitTest::init() {
  book_ = std::make_unique<testsupport::FormBook>();
  ended_ = false;
  tk_ = std::make_unique<QtUi::QtToolkit>(book_->Maker(), [this] { ended_ = true; });
}

void ToolkitTest::cleanup() {
  tk_.reset();
  book_.reset();
  QCOMPARE(qttest::LeftoverWindows(), QStringList());
}

QWidget* ToolkitTest::Open(const std::string& name) {
  tk_->Show(name);
  QWidget* window = tk_->Window(name);
  if (!window || !QTest::qWaitForWindowActive(window)) return nullptr;
  const std::string activated = "activate " + name;
  const auto& log = book_->log;
  const bool activatedInTime =
      QTest::qWaitFor([&] { return std::count(log.begin(), log.end(), activated) > 0; });
  return activatedInTime ? window : nullptr;
}

void ToolkitTest::loadStepRunsBeforeTheWindowIsShownAndOnEveryLoad() {
  bool shownDuringLoad = true;
  book_->Add("A", [&](ScriptedForm& f) {
    f.table.controls.push_back(testsupport::Row("Caption", ui::ControlKind::Label, {120, 600, 3000, 255}));
    f.load = Chain(f.load, [&](ui::Toolkit& tk) {
      shownDuringLoad = tk_->Window("A")->isVisible();
      QCOMPARE(tk.Get("A", "Caption").Text(), std::string());
    });
  });
  tk_->Show("A");
  QVERIFY(!shownDuringLoad);
  QVERIFY(tk_->Window("A")->isVisible());
  tk_->Get("A", "Caption").SetText("changed");
  tk_->Unload("A");
  QVERIFY(!tk_->IsLoaded("A"));
  tk_->Show("A");
  // Loaded afresh: the load step ran again and nothing of the first life is left.
  QCOMPARE(tk_->Get("A", "Caption").Text(), std::string());
  QCOMPARE(std::count(book_->log.begin(), book_->log.end(), "load A"), 2);
  tk_->Unload("A");
}

void ToolkitTest::gettingAControlLoadsItsWindowHidden() {
  book_->Add("B");
  QCOMPARE(tk_->Get("B", "OK").Text(), std::string("OK"));
  QVERIFY(tk_->IsLoaded("B"));
  QVERIFY(!tk_->Window("B")->isVisible());
  QCOMPARE(book_->log, (Log{"load B"}));
  tk_->Unload("B");
}

void ToolkitTest::unknownWindowsAndControlsAreHarmless() {
  book_->Add("A");
  QTest::ignoreMessage(QtWarningMsg, "Quillfen: no window named NOWHERE");
  tk_->Show("NOWHERE");
  QVERIFY(!tk_->IsLoaded("NOWHERE"));
  QTest::ignoreMessage(QtWarningMsg, "Quillfen: no control Missing on window A");
  ui::Control& missing = tk_->Get("A", "Missing");
  missing.SetText("x");
  missing.InsertAtCaret("y");
  QCOMPARE(missing.Text(), std::string());
  QCOMPARE(missing.ListIndex(), -1);
  tk_->Unload("A");
}

void ToolkitTest::showModalReturnsOnceTheWindowIsUnloaded() {
  book_->Add("MAIN", [&](ScriptedForm& f) {
    f.click = Chain(f.click, [&](ui::Toolkit& tk, const std::string&) {
      tk.ShowModal("DIALOG");
      book_->log.push_back("modal returned");
    });
  });
  book_->Add("DIALOG", [&](ScriptedForm& f) {
    f.click = Chain(f.click, [](ui::Toolkit& tk, const std::string&) { tk.Unload("DIALOG"); });
  });
  QWidget* main = Open("MAIN");
  QVERIFY(main);
  bool mainBlocked = false;
  Qt::WindowModality modality = Qt::NonModal;
  qttest::ModalScript script;
  script.On("DIALOG", [&](QWidget* dialog) {
    modality = dialog->windowModality();
    // The main window's buttons take no clicks while the dialog is up.
    mainBlocked = QApplication::activeModalWidget() == dialog;
    qttest::ClickButton(main, "OK");
    qttest::ClickButton(dialog, "OK");
  });
  QVERIFY(qttest::ClickButton(main, "OK"));
  QCOMPARE(script.Pending(), 0);
  QVERIFY(mainBlocked);
  QCOMPARE(modality, Qt::ApplicationModal);
  QCOMPARE(book_->log, (Log{"load MAIN", "activate MAIN", "click MAIN.OK", "load DIALOG",
                            "activate DIALOG", "click DIALOG.OK", "modal returned"}));
  QVERIFY(!tk_->IsLoaded("DIALOG"));
  tk_->Unload("MAIN");
}

void ToolkitTest::activationComesAfterPaintingAndMayUnloadTheWindow() {
  PaintCounter counter;
  int paintsWhenActivated = -1;
  book_->Add("PROGRESS", [&](ScriptedForm& f) {
    f.table.modal = true;
    f.activate = Chain(f.activate, [&](ui::Toolkit& tk) {
      paintsWhenActivated = counter.paints;
      tk.Unload("PROGRESS");  // as a scan does when it ends
    });
  });
  tk_->Get("PROGRESS", "OK");  // loaded, so the counter sees its very first paint
  QWidget* window = tk_->Window("PROGRESS");
  window->installEventFilter(&counter);
  // A platform may report the activation before the window has been painted.
  QEvent activation(QEvent::WindowActivate);
  QApplication::sendEvent(window, &activation);
  QCoreApplication::processEvents();
  QCOMPARE(book_->log, (Log{"load PROGRESS"}));
  tk_->ShowModal("PROGRESS");
  QVERIFY2(paintsWhenActivated > 0, "the window must be painted before its activation runs");
  QVERIFY(!tk_->IsLoaded("PROGRESS"));
  QCOMPARE(book_->log, (Log{"load PROGRESS", "activate PROGRESS"}));
}

// What the window's activation starts (a scan) keeps the event loop away: whatever of the
// window is not on the screen by then stays unpainted until it ends. A platform may report
// the activation after the first paint, and a control may have changed in between.
void ToolkitTest::activationFindsTheWindowOnScreenAsItStands() {
  QImage onScreen, asItStands;
  book_->Add("PROGRESS", [&](ScriptedForm& f) {
    f.activate = Chain(f.activate, [&](ui::Toolkit& tk) {
      QWidget* window = tk_->Window("PROGRESS");
      onScreen = window->screen()->grabWindow(window->winId()).toImage();
      asItStands = window->grab().toImage();
      tk.Unload("PROGRESS");
    });
  });
  tk_->Get("PROGRESS", "OK");
  QWidget* window = tk_->Window("PROGRESS");
  PaintCounter counter;
  LateActivation late;
  window->installEventFilter(&counter);
  window->installEventFilter(&late);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (counter.paints == 0) return;
    poll.stop();
    tk_->Get("PROGRESS", "OK").SetText("Changed");
    late.Activate(window);
  });
  poll.start(10);
  tk_->ShowModal("PROGRESS");
  QVERIFY(!onScreen.isNull());
  QCOMPARE(onScreen.convertToFormat(QImage::Format_RGB32),
           asItStands.convertToFormat(QImage::Format_RGB32));
}

void ToolkitTest::messageBoxesDoNotActivateAWindowAgain() {
  QtUi::QtDialogs dialogs;
  UserDialogs::Scope useDialogs(dialogs);
  book_->Add("PROGRESS", [&](ScriptedForm& f) {
    f.activate = Chain(f.activate, [&](ui::Toolkit& tk) {
      UserDialogs::ShowMessage("Halfway", UserDialogs::Icon::Information);
      // Back from the box, the window is active again; that starts nothing new.
      QWidget* window = tk_->Window("PROGRESS");
      window->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(window));
      QCoreApplication::processEvents();
      tk.Unload("PROGRESS");
    });
  });
  qttest::ModalScript script;
  script.On("QMessageBox", qttest::AnswerBox(QMessageBox::Ok));
  tk_->ShowModal("PROGRESS");
  qttest::Settle();
  QCOMPARE(book_->log, (Log{"load PROGRESS", "activate PROGRESS"}));
}

void ToolkitTest::programLivesBetweenUnloadingOneWindowAndShowingTheNext() {
  book_->Add("HOME", [&](ScriptedForm& f) {
    f.click = Chain(f.click, [](ui::Toolkit& tk, const std::string&) {
      tk.Unload("HOME");
      tk.Show("NEXT");
    });
  });
  book_->Add("NEXT");
  tk_->Show("HOME");
  QVERIFY(qttest::ClickButton(tk_->Window("HOME"), "OK"));
  qttest::Settle();
  QVERIFY(!ended_);
  QVERIFY(tk_->IsLoaded("NEXT"));
  QVERIFY(!tk_->IsLoaded("HOME"));
  // Closing the last window ends the program.
  tk_->Window("NEXT")->close();
  qttest::Settle();
  QVERIFY(ended_);
}

void ToolkitTest::closeBoxAsksTheWindow() {
  bool mayClose = false;
  book_->Add("A", [&](ScriptedForm& f) {
    f.closeBox = Chain(f.closeBox, [&](ui::Toolkit&) { return mayClose; });
  });
  QWidget* window = Open("A");
  QVERIFY(window);
  QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
  window->close();
  qttest::Settle();
  QVERIFY(tk_->IsLoaded("A"));
  QVERIFY(window->isVisible());
  mayClose = true;
  window->close();
  qttest::Settle();
  QVERIFY(!tk_->IsLoaded("A"));
  QVERIFY(ended_);
  QCOMPARE(book_->log, (Log{"load A", "activate A", "close A", "close A"}));
}

void ToolkitTest::windowWithoutCloseBoxHasNone() {
  book_->Add("A", [](ScriptedForm& f) { f.table.closeBox = false; });
  tk_->Show("A");
  const Qt::WindowFlags flags = tk_->Window("A")->windowFlags();
  QVERIFY(flags & Qt::CustomizeWindowHint);
  QVERIFY(!(flags & Qt::WindowCloseButtonHint));
  QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
  tk_->Unload("A");
}

void ToolkitTest::endProgramEndsAtOnce() {
  book_->Add("A", [](ScriptedForm& f) {
    f.click = Chain(f.click, [](ui::Toolkit& tk, const std::string&) { tk.EndProgram(); });
  });
  book_->Add("B");
  tk_->Show("A");
  tk_->Get("B", "OK");
  QPointer<QWidget> a = tk_->Window("A");
  QVERIFY(qttest::ClickButton(a, "OK"));
  QVERIFY(ended_);  // before any event was processed
  QVERIFY(!tk_->IsLoaded("A"));
  QVERIFY(!tk_->IsLoaded("B"));
  QVERIFY(!a->isVisible());
}

void ToolkitTest::enterAndEscPressTheDefaultAndCancelButtons() {
  book_->Add("A", [](ScriptedForm& f) {
    f.table.controls[0].flags |= ui::kDefault;
    auto cancel = testsupport::Row("Stop", ui::ControlKind::CommandButton, {1500, 120, 1200, 375},
                              ui::kCancel, 2);
    cancel.text = "Stop";
    f.table.controls.push_back(cancel);
    auto box = testsupport::Row("Tick", ui::ControlKind::CheckBox, {120, 900, 3000, 255}, 0, 1);
    box.text = "Tick";
    f.table.controls.push_back(box);
  });
  QWidget* window = Open("A");
  QVERIFY(window);
  auto* ok = qttest::ControlOf<QPushButton>(window, "OK");
  QVERIFY(ok->isDefault());
  // The window opens with its default button focused.
  QCOMPARE(window->focusWidget(), ok);
  // Enter from a check box reaches the window, which presses the default button.
  qttest::ControlOf<QCheckBox>(window, "Tick")->setFocus();
  qttest::PressKey(window, Qt::Key_Return);
  qttest::PressKey(window, Qt::Key_Escape);
  // A focused button other than the default takes Enter itself.
  qttest::ControlOf<QPushButton>(window, "Stop")->setFocus();
  qttest::PressKey(window, Qt::Key_Enter);
  QCOMPARE(book_->log, (Log{"load A", "activate A", "click A.OK", "click A.Stop", "click A.Stop"}));
  tk_->Unload("A");
}

QTEST_MAIN(ToolkitTest)
#include "tst_toolkit.moc"
