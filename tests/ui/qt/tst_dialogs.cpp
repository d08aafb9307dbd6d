// The real user-dialog service: message boxes as asked, the folder picker on the drives
// answering in Windows form, and the desktop's opener reached through the drive table.
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
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

constexpr UserDialogs::Question kScan = UserDialogs::Question::FolderToScan;
constexpr UserDialogs::Question kSave = UserDialogs::Question::SaveLocation;

// Receives what the desktop would be asked to open.
class Opener : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void open(const QUrl& url) { urls << url; }
};

// Goes to a folder in the picker and presses "Choose", as the user would.
std::function<void(QWidget*)> Choose(const QString& folder, QString* caption = nullptr) {
  return [=](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    if (!dialog) return;
    if (caption) *caption = dialog->windowTitle();
    dialog->setDirectory(folder);
    QMetaObject::invokeMethod(dialog, "accept");  // the Choose button
  };
}

// Types into the picker's field key by key, then presses Enter.
std::function<void(QWidget*)> Type(const QString& text) {
  return [=](QWidget* widget) {
    auto* field = widget->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(field);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  };
}

// A folder of the test machine's tree, as the picker names it.
QString Native(const testsupport::WindowsMachine& machine, const std::string& relative) {
  return QDir::cleanPath(QString::fromStdString(machine.tree.Path(relative)));
}

// What the picker shows when it opens: its folder, the names in its side list, its prompt.
struct Opening {
  QString folder;
  QStringList places;
  QString prompt;
  bool promptAboveTheFolders = false;
};

std::function<void(QWidget*)> Look(Opening* seen) {
  return [seen](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    if (!dialog) return;
    QTest::qWait(200);  // Qt names the places again once it has read the folders
    seen->folder = QDir::cleanPath(dialog->directory().absolutePath());
    auto* sidebar = dialog->findChild<QListView*>(QStringLiteral("sidebar"));
    for (int row = 0; sidebar && row < sidebar->model()->rowCount(); ++row)
      seen->places << sidebar->model()->index(row, 0).data().toString();
    auto* prompt = dialog->findChild<QLabel*>(QStringLiteral("Prompt"));
    if (prompt && prompt->isVisible()) seen->prompt = prompt->text();
    seen->promptAboveTheFolders =
        prompt && sidebar && prompt->mapTo(dialog, QPoint(0, prompt->height())).y() <=
                                 sidebar->mapTo(dialog, QPoint()).y();
    dialog->reject();
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
  void typedFolderComesBackAsWindowsNamesIt_data();
  void typedFolderComesBackAsWindowsNamesIt();
  void folderWithoutAWindowsNameIsRefusedAndThePickerStays();
  void pickerOpensOnADriveAndNamesTheDrives();
  void folderOnNoDriveIsRefusedAndThePickerStays();
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
                                         static_cast<Icon>(icon), static_cast<Buttons>(buttons),
                                         UserDialogs::Question::None);
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
    QCOMPARE(dialogs_.Message("Go on?", "Quillfen", Icon::Warning, Buttons::OkCancel,
                              UserDialogs::Question::None), Answer::Cancel);
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(script.Unexpected(), QStringList());
}

void DialogsTest::boxWithoutATitleTakesTheProgramName() {
  QCoreApplication::setApplicationName(QStringLiteral("Quillfen"));
  QString title;
  qttest::ModalScript script;
  script.On("QMessageBox", qttest::AnswerBox(QMessageBox::Ok, nullptr, &title));
  dialogs_.Message("Error copying directory", "", Icon::Exclamation, Buttons::Ok,
                   UserDialogs::Question::None);
  QCOMPARE(title, QStringLiteral("Quillfen"));
}

void DialogsTest::pickedFolderComesBackInWindowsForm_data() {
  QTest::addColumn<QString>("folder");  // below the machine's tree
  QTest::addColumn<QString>("answer");
  QTest::newRow("drive root") << "c" << "S:\\";
  QTest::newRow("folder") << "c/WINDOWS" << "S:\\WINDOWS";
  QTest::newRow("other drive") << "d/Old Stuff" << "T:\\Old Stuff";
}

void DialogsTest::pickedFolderComesBackInWindowsForm() {
  QFETCH(QString, folder);
  QFETCH(QString, answer);
  testsupport::WindowsMachine machine;
  machine.tree.Folder("c/WINDOWS");
  machine.tree.Folder("d/Old Stuff");
  QString caption;
  qttest::ModalScript script;
  script.On("QFileDialog", Choose(Native(machine, folder.toStdString()), &caption));
  const std::string picked = dialogs_.PickFolder("Pick a folder to scan.", kScan);
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(caption, QStringLiteral("Pick a folder to scan."));
  QCOMPARE(QString::fromStdString(picked), answer);
}

void DialogsTest::typedFolderComesBackAsWindowsNamesIt_data() {
  QTest::addColumn<QString>("typed");  // "@" stands for the machine's tree
  QTest::addColumn<QString>("answer");
  QTest::newRow("drive letter path") << "T:\\old stuff" << "T:\\Old Stuff";
  QTest::newRow("other case, final backslash") << "t:\\OLD STUFF\\" << "T:\\Old Stuff";
  QTest::newRow("forward slash") << "s:/windows" << "S:\\WINDOWS";
  QTest::newRow("drive letter alone") << "t:" << "T:\\";
  QTest::newRow("drive root") << "T:\\" << "T:\\";
  QTest::newRow("native path") << "@/d/Old Stuff" << "T:\\Old Stuff";
  QTest::newRow("native path, final slash") << "@/d/Old Stuff/" << "T:\\Old Stuff";
  QTest::newRow("name in the folder shown") << "WINDOWS" << "S:\\WINDOWS";
  QTest::newRow("nothing typed: the folder shown") << "" << "S:\\";
}

// What is in the field when Enter is pressed decides, as Windows' picker would give it back:
// the real name's case, no final "\" but on a drive root.
void DialogsTest::typedFolderComesBackAsWindowsNamesIt() {
  QFETCH(QString, typed);
  QFETCH(QString, answer);
  testsupport::WindowsMachine machine;
  machine.tree.Folder("c/WINDOWS");
  machine.tree.Folder("d/Old Stuff");
  typed.replace(QLatin1Char('@'), QString::fromStdString(machine.tree.Root()));
  qttest::WorkingFolder here(machine.tree.Path("c"));  // the picker opens on S:
  qttest::ModalScript script;
  script.On("QFileDialog", Type(typed));
  QCOMPARE(QString::fromStdString(dialogs_.PickFolder("Pick a folder to scan.", kScan)), answer);
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(script.Unexpected(), QStringList());
}

void DialogsTest::folderWithoutAWindowsNameIsRefusedAndThePickerStays() {
  testsupport::WindowsMachine machine;
  machine.tree.Folder("d/odd:name");
  QString text, title;
  int icon = 0;
  qttest::ModalScript script;
  script.On("QFileDialog", Type(QString::fromStdString(machine.tree.Path("d/odd:name"))));
  script.On("QMessageBox", qttest::AnswerBox(QMessageBox::Ok, &text, &title, &icon));
  script.On("QFileDialog", [](QWidget* dialog) { qobject_cast<QFileDialog*>(dialog)->reject(); });
  QCOMPARE(dialogs_.PickFolder("Pick a folder to scan.", kScan), std::string());
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(script.Unexpected(), QStringList());
  QCOMPARE(text, QStringLiteral("This folder's name cannot be written as a Windows path. Please "
                                "choose another folder."));
  QCOMPARE(title, QStringLiteral("Quillfen"));
  QCOMPARE(icon, int(QMessageBox::Critical));
}

void DialogsTest::pickerOpensOnADriveAndNamesTheDrives() {
  testsupport::WindowsMachine machine;
  machine.tree.Folder("d/WINNT");
  Opening onD, outside;
  qttest::ModalScript script;
  script.On("QFileDialog", Look(&onD));
  script.On("QFileDialog", Look(&outside));
  {
    qttest::WorkingFolder here(machine.tree.Path("d/WINNT"));
    QCOMPARE(dialogs_.PickFolder("Where would you like to save your Windows Update files?",
                                 UserDialogs::Question::SaveLocation),
             std::string());
  }
  {
    qttest::WorkingFolder here("/");  // on no drive: the first drive
    QCOMPARE(dialogs_.PickFolder("Where?", kSave), std::string());
  }
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(onD.folder, Native(machine, "d"));
  QCOMPARE(onD.places, (QStringList{"S:", "T:"}));
  QCOMPARE(onD.prompt, QStringLiteral("Where would you like to save your Windows Update files?"));
  QVERIFY(onD.promptAboveTheFolders);
  QCOMPARE(outside.folder, Native(machine, "c"));
  QCOMPARE(outside.places, (QStringList{"S:", "T:"}));
}

void DialogsTest::folderOnNoDriveIsRefusedAndThePickerStays() {
  testsupport::WindowsMachine machine;
  machine.tree.Folder("c/WINDOWS");
  QString text, title;
  int icon = 0;
  const QWidget* first = nullptr;  // compared, never used: the picker is gone by then
  const QWidget* second = nullptr;
  qttest::ModalScript script;
  script.On("QFileDialog", [&](QWidget* dialog) {
    first = dialog;
    Choose(QString::fromStdString(machine.tree.Root()))(dialog);  // holds the drives' folders
  });
  script.On("QMessageBox", qttest::AnswerBox(QMessageBox::Ok, &text, &title, &icon));
  script.On("QFileDialog", [&](QWidget* dialog) {
    second = dialog;
    Choose(Native(machine, "c/WINDOWS"))(dialog);
  });
  QCOMPARE(dialogs_.PickFolder("Pick a folder to scan.", kScan), std::string("S:\\WINDOWS"));
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(script.Unexpected(), QStringList());
  QCOMPARE(text, QStringLiteral("This folder is on no drive of this computer. Please choose a "
                                "folder on one of the drives."));
  QCOMPARE(title, QStringLiteral("Quillfen"));
  QCOMPARE(icon, int(QMessageBox::Critical));
  QVERIFY(first);
  QVERIFY(second == first);  // the same picker, still open
}

void DialogsTest::cancelledPickerAnswersNothing() {
  testsupport::WindowsMachine machine;
  qttest::ModalScript script;
  script.On("QFileDialog", [](QWidget* dialog) { qobject_cast<QFileDialog*>(dialog)->reject(); });
  QCOMPARE(dialogs_.PickFolder("Where?", kSave), std::string());
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
