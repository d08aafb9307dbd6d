// The real user-dialog service: message boxes as asked, the folder dialog answering in
// Windows form, and the desktop's opener reached through the drive table.
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include "ModalScript.h"
#include "QtTestSupport.h"
#include "support/WindowsMachine.h"
#include "ui/qt/QtDialogs.h"

using UserDialogs::Answer;
using UserDialogs::Buttons;
using UserDialogs::Icon;

namespace {

// Receives what the desktop would be asked to open.
class Opener : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void open(const QUrl& url) { urls << url; }
};

// Chooses a folder in the folder dialog, as the user would.
std::function<void(QWidget*)> Choose(const QString& folder, QString* caption,
                                     QList<QUrl>* places) {
  return [=](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    if (!dialog) return;
    *caption = dialog->windowTitle();
    *places = dialog->sidebarUrls();
    dialog->setDirectory(folder);
    QMetaObject::invokeMethod(dialog, "accept");  // the Choose button
  };
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();
  void messageBoxShowsWhatItIsAsked_data();
  void messageBoxShowsWhatItIsAsked();
  void anythingButOkAnswersCancel();
  void boxWithoutATitleTakesTheProgramName();
  void pickedFolderComesBackInWindowsForm_data();
  void pickedFolderComesBackInWindowsForm();
  void cancelledPickerAnswersNothing();
  void openInShellOpensTheFolderOfTheDrive();

 private:
  QtUi::QtDialogs dialogs_;
};

// The folder dialog saves its state in the user's settings; keep the tests out of them.
void DialogsTest::initTestCase() { QStandardPaths::setTestModeEnabled(true); }

void DialogsTest::cleanup() { QCOMPARE(qttest::LeftoverWindows(), QStringList()); }

void DialogsTest::messageBoxShowsWhatItIsAsked_data() {
  QTest::addColumn<int>("icon");
  QTest::addColumn<int>("buttons");
  QTest::addColumn<int>("qtIcon");
  QTest::addColumn<int>("buttonCount");
  QTest::newRow("critical") << int(Icon::Critical) << int(Buttons::Ok) << int(QMessageBox::Critical) << 1;
  QTest::newRow("information") << int(Icon::Information) << int(Buttons::Ok) << int(QMessageBox::Information) << 1;
  QTest::newRow("warning") << int(Icon::Warning) << int(Buttons::OkCancel) << int(QMessageBox::Warning) << 2;
  QTest::newRow("exclamation") << int(Icon::Exclamation) << int(Buttons::Ok) << int(QMessageBox::Warning) << 1;
}

void DialogsTest::messageBoxShowsWhatItIsAsked() {
  QFETCH(int, icon);
  QFETCH(int, buttons);
  QFETCH(int, qtIcon);
  QFETCH(int, buttonCount);
  QString text, title;
  int shownIcon = -1;
  int count = 0;
  qttest::ModalScript script;
  script.On("QMessageBox", [&](QWidget* box) {
    count = static_cast<int>(qobject_cast<QMessageBox*>(box)->buttons().size());
    qttest::AnswerBox(QMessageBox::Ok, &text, &title, &shownIcon)(box);
  });
  const Answer answer = dialogs_.Message("Line one\nLine <two> & three", "Quillfen",
                                         static_cast<Icon>(icon), static_cast<Buttons>(buttons));
  QCOMPARE(answer, Answer::Ok);
  QCOMPARE(text, QStringLiteral("Line one\nLine <two> & three"));
  QCOMPARE(title, QStringLiteral("Quillfen"));
  QCOMPARE(shownIcon, qtIcon);
  QCOMPARE(count, buttonCount);
}

void DialogsTest::anythingButOkAnswersCancel() {
  qttest::ModalScript script;
  script.On("QMessageBox", qttest::AnswerBox(QMessageBox::Cancel));
  script.On("QMessageBox", [](QWidget* box) { qttest::PressKey(box, Qt::Key_Escape); });
  script.On("QMessageBox", [](QWidget* box) { box->close(); });
  for (int i = 0; i < 3; ++i)
    QCOMPARE(dialogs_.Message("Go on?", "Quillfen", Icon::Warning, Buttons::OkCancel), Answer::Cancel);
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(script.Unexpected(), QStringList());
}

void DialogsTest::boxWithoutATitleTakesTheProgramName() {
  QCoreApplication::setApplicationName(QStringLiteral("Quillfen"));
  QString title;
  qttest::ModalScript script;
  script.On("QMessageBox", qttest::AnswerBox(QMessageBox::Ok, nullptr, &title));
  dialogs_.Message("Error copying directory", "", Icon::Exclamation, Buttons::Ok);
  QCOMPARE(title, QStringLiteral("Quillfen"));
}

void DialogsTest::pickedFolderComesBackInWindowsForm_data() {
  QTest::addColumn<QString>("folder");  // below the machine's tree
  QTest::addColumn<QString>("answer");
  QTest::newRow("drive root") << "c" << "S:\\";
  QTest::newRow("folder") << "c/WINDOWS" << "S:\\WINDOWS";
  QTest::newRow("other drive") << "d/Old Stuff" << "T:\\Old Stuff";
  QTest::newRow("on no drive") << "" << "";
}

void DialogsTest::pickedFolderComesBackInWindowsForm() {
  QFETCH(QString, folder);
  QFETCH(QString, answer);
  testsupport::WindowsMachine machine;
  machine.tree.Folder("c/WINDOWS");
  machine.tree.Folder("d/Old Stuff");
  QString caption;
  QList<QUrl> places;
  qttest::ModalScript script;
  const QString native = QDir(QString::fromStdString(machine.tree.Root())).filePath(folder);
  script.On("QFileDialog", Choose(native, &caption, &places));
  const std::string picked = dialogs_.PickFolder("Pick a folder to scan.");
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(caption, QStringLiteral("Pick a folder to scan."));
  // The drives are offered beside the usual places.
  QVERIFY(places.contains(QUrl::fromLocalFile(QString::fromStdString(machine.tree.Path("c")))));
  QVERIFY(places.contains(QUrl::fromLocalFile(QString::fromStdString(machine.tree.Path("d")))));
  QCOMPARE(places.size(), 4);  // the computer, home, S: and T:, whatever earlier runs offered
  QCOMPARE(QString::fromStdString(picked), answer);
}

void DialogsTest::cancelledPickerAnswersNothing() {
  testsupport::WindowsMachine machine;
  qttest::ModalScript script;
  script.On("QFileDialog", [](QWidget* dialog) { qobject_cast<QFileDialog*>(dialog)->reject(); });
  QCOMPARE(dialogs_.PickFolder("Where?"), std::string());
  QCOMPARE(script.Pending(), 0);
}

void DialogsTest::openInShellOpensTheFolderOfTheDrive() {
  testsupport::WindowsMachine machine;
  machine.tree.Folder("c/CVL_SAVE");
  Opener opener;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
  dialogs_.OpenInShell("S:\\cvl_save");    // found without regard to case
  dialogs_.OpenInShell("Q:\\CVL_SAVE");    // no such drive: nothing to open
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  QCOMPARE(opener.urls,
           QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(machine.tree.Path("c/CVL_SAVE")))});
}

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
