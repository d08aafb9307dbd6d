// The other drives window drawn with Qt: the folder scan and the drive scan started from it
// with scripted pickers, the refusal without a drive, and the drive list on every load.
#include <QComboBox>
#include <QMessageBox>
#include <QTest>

#include "ModalScript.h"
#include "ProgramFixture.h"
#include "QtTestSupport.h"
#include "support/HostGuard.h"
#include "ui/qt/QtDialogs.h"

using qttest::ControlOf;
using qttest::ProgramFixture;
using Calls = std::vector<std::string>;

namespace {

const std::string kFolderPrompt = "pick: Pick a folder to scan for Windows Update and Office Update files.";
const std::string kAskForPlace =
    "box: You will now be prompted to specify the location where you'd like to save your Windows "
    "Update files.";
const std::string kPlacePrompt = "pick: Where would you like to save your Windows Update files?";
const std::string kSaved =
    "box: Your files have successfully been saved. Press OK to open the save directory.";

// The program at its other drives window.
QWidget* OpenOtherDrives(ProgramFixture& p) {
  if (!p.Start() || !p.Click("BEGIN_FRM", "Command3")) return nullptr;
  return p.Window("OTHER_FRM");
}

}  // namespace

class OtherDrivesTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();
  void folderScanSavesWhereTheUserPoints();
  void cancelledFolderPickerDoesNothing();
  void driveScanTakesTheChosenDrive();
  void noDriveSelectedIsRefused();
  void driveListStartsAgainOnEveryLoad();
};

void OtherDrivesTest::cleanup() { QCOMPARE(qttest::LeftoverWindows(), QStringList()); }

void OtherDrivesTest::folderScanSavesWhereTheUserPoints() {
  ProgramFixture p;
  testsupport::FakeDialogs& dialogs = p.machine.dialogs;
  p.Put("c/loose/a.w98", 2002);
  p.Put("c/loose/b.inv", 2003);
  p.Put("c/loose/new.gng", 2023);
  p.Put("c/loose/notes.txt", 2003);
  p.Put("c/loose/iuhist.xml", 2004);
  p.Put("c/loose/V4/iuhist_catalogAdmin.xml", 2004);  // subfolders are not entered
  dialogs.picks[UserDialogs::Question::FolderToScan] = {"S:\\loose"};
  dialogs.SaveInto({"T:\\"});
  QVERIFY(OpenOtherDrives(p));
  QVERIFY(p.Click("OTHER_FRM", "Command1"));
  QCOMPARE(dialogs.calls, (Calls{kFolderPrompt, kAskForPlace, kPlacePrompt, kSaved, "open: T:\\CVL_SAVE"}));
  QCOMPARE(p.machine.tree.Listing("d"),
           std::string("CVL_SAVE/\nCVL_SAVE/README.TXT\nCVL_SAVE/V4/\nCVL_SAVE/V4/iuhist.xml\n"
                       "CVL_SAVE/a.w98\nCVL_SAVE/b.inv\n"));
  QCOMPARE(p.Loaded(), QStringList{"OTHER_FRM"});
}

void OtherDrivesTest::cancelledFolderPickerDoesNothing() {
  ProgramFixture p;
  testsupport::FakeDialogs& dialogs = p.machine.dialogs;
  QVERIFY(OpenOtherDrives(p));
  QVERIFY(p.Click("OTHER_FRM", "Command1"));
  QCOMPARE(dialogs.calls, Calls{kFolderPrompt});
  QCOMPARE(p.Loaded(), QStringList{"OTHER_FRM"});
}

void OtherDrivesTest::driveScanTakesTheChosenDrive() {
  ProgramFixture p;
  testsupport::FakeDialogs& dialogs = p.machine.dialogs;
  p.Put("d/WINNT/Windows Update.log", 2003);
  p.Put("d/Programme/WindowsUpdate/a.n5x", 2002);
  p.Put("d/Programme/WindowsUpdate/V4/iuhist.xml", 2003);
  p.Put("d/Programme/WindowsUpdate/late.w32", 2023);
  dialogs.SaveInto({"S:\\"});
  QWidget* other = OpenOtherDrives(p);
  QVERIFY(other);
  auto* drives = ControlOf<QComboBox>(other, "DriveList");
  QCOMPARE(drives->count(), 2);
  drives->setCurrentIndex(1);  // as the user picks "d: [...]"
  QVERIFY(p.Click("OTHER_FRM", "Command2"));
  QCOMPARE(dialogs.calls, (Calls{kAskForPlace, kPlacePrompt, kSaved, "open: S:\\CVL_SAVE"}));
  QCOMPARE(p.machine.tree.Listing("c/CVL_SAVE"),
           std::string("README.TXT\nV4/\nV4/Windows Update.log\nV4/iuhist.xml\na.n5x\n"));
}

void OtherDrivesTest::noDriveSelectedIsRefused() {
  ProgramFixture p;
  QtUi::QtDialogs dialogs;
  UserDialogs::Scope useDialogs(dialogs);
  testsupport::HostGuard noDrives(testsupport::HostGuard::Setting::Drives, "");
  QWidget* other = OpenOtherDrives(p);
  QVERIFY(other);
  QCOMPARE(ControlOf<QComboBox>(other, "DriveList")->currentIndex(), -1);
  QString text, title;
  int icon = 0;
  int buttons = 0;
  qttest::ModalScript script;
  script.On("QMessageBox", [&](QWidget* box) {
    buttons = static_cast<int>(qobject_cast<QMessageBox*>(box)->buttons().size());
    qttest::AnswerBox(QMessageBox::Ok, &text, &title, &icon)(box);
  });
  QVERIFY(p.Click("OTHER_FRM", "Command2"));
  QCOMPARE(script.Pending(), 0);
  QCOMPARE(text, QStringLiteral("You must select a drive first."));
  QCOMPARE(title, QStringLiteral("Quillfen"));
  QCOMPARE(icon, int(QMessageBox::Critical));
  QCOMPARE(buttons, 1);
  QCOMPARE(p.Loaded(), QStringList{"OTHER_FRM"});
}

void OtherDrivesTest::driveListStartsAgainOnEveryLoad() {
  ProgramFixture p;
  QWidget* other = OpenOtherDrives(p);
  QVERIFY(other);
  // Started outside every drive, the load step selects the first entry.
  QCOMPARE(ControlOf<QComboBox>(other, "DriveList")->currentIndex(), 0);
  ControlOf<QComboBox>(other, "DriveList")->setCurrentIndex(1);
  QVERIFY(p.Click("OTHER_FRM", "Command3"));
  QVERIFY(p.Click("BEGIN_FRM", "Command3"));
  QCOMPARE(ControlOf<QComboBox>(p.Window("OTHER_FRM"), "DriveList")->currentIndex(), 0);
}

QTEST_MAIN(OtherDrivesTest)
#include "tst_otherdrives.moc"
