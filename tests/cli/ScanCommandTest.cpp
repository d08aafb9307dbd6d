// quillfen-scan over prepared trees: standard output, exit status, the JSON report and the
// save folder of each scan; the refusals; and the save folders set beside the windows' own.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QJsonArray>
#include <filesystem>
#include <random>

#include "CliWorld.h"
#include "scan/ScanProcess.h"
#include "support/FakeScreen.h"
#include "support/posix/RegistryHive.h"

namespace clitest {
namespace {

using Strings = QStringList;

QString Sha256(const char* text) {
  return QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex();
}

class ScanCommand : public CliWorld {};

TEST_F(ScanCommand, DriveSavesIntoDestAndReportsEachFile) {
  Disk("d");
  tree.Folder("out");
  const std::string before = State("d");
  const Ran ran = Scan({"drive", "d", "--save-to", "out", "--json", "report.json"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(ran.out, "4 files saved into " + tree.Path("out/CVL_SAVE") + "\n");
  EXPECT_NE(ran.err.find("Files found: 4, saved: 4, not saved: 0\n"), std::string::npos) << ran.err;
  EXPECT_EQ(tree.Listing("out/CVL_SAVE"),
            "OfficeUpdate/\nOfficeUpdate/cache/\nOfficeUpdate/cache/x.cab\nREADME.TXT\nV4/\n"
            "V4/Windows Update.log\nV4/iuhist_catalogadmin.xml\na.w98\n");
  EXPECT_EQ(State("d"), before);

  const QJsonObject report = Report("report.json");
  EXPECT_EQ(report["version"], "1.0.5");
  EXPECT_EQ(report["scan"], "drive");
  EXPECT_EQ(report["exit_status"], 0);
  EXPECT_EQ(report["failures"], QJsonArray());
  const QJsonArray files = report["files"].toArray();
  ASSERT_EQ(files.size(), 4);
  const QJsonObject first = files[0].toObject();
  EXPECT_EQ(first["source"]["windows"], "D:\\Program Files\\WindowsUpdate\\a.w98");
  EXPECT_EQ(first["source"]["linux"], At("d/Program Files/WindowsUpdate/a.w98"));
  EXPECT_EQ(first["saved"]["windows"], "F:\\CVL_SAVE\\a.w98");
  EXPECT_EQ(first["saved"]["linux"], At("out/CVL_SAVE/a.w98"));
  EXPECT_EQ(first["size"], 9);
  EXPECT_EQ(first["modified"], "2004-06-15T12:00:00Z");
  EXPECT_EQ(first["sha256"], Sha256("inventory"));
  EXPECT_EQ(QJsonValue(files[3])["saved"]["windows"], "F:\\CVL_SAVE\\OfficeUpdate\\cache\\x.cab");
}

// The hash is read in pieces; a file of several pieces is hashed whole.
TEST_F(ScanCommand, TheReportHashesAFileLongerThanOneReadWhole) {
  std::mt19937 bytes(19);
  std::string content(200 * 1000, '\0');
  for (char& c : content) c = static_cast<char>(bytes());
  tree.File("loose/big.w98", content, 2004);
  tree.Folder("out");
  const Ran ran = Scan({"folder", "loose", "--save-to", "out", "--json", "report.json"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  const QJsonArray files = Report("report.json")["files"].toArray();
  ASSERT_EQ(files.size(), 1);
  EXPECT_EQ(files[0]["size"], 200000);
  const QByteArray whole(content.data(), qsizetype(content.size()));
  const QByteArray hash = QCryptographicHash::hash(whole, QCryptographicHash::Sha256);
  EXPECT_EQ(files[0]["sha256"], QString::fromLatin1(hash.toHex()));
}

// The V4 folder's log and the Windows folder's land on one name: the later replaces the
// earlier, and the report and the summary count one file.
TEST_F(ScanCommand, ALogFoundInTheV4AndTheWindowsFolderIsOneSavedFile) {
  tree.File("d/Program Files/WindowsUpdate/a.w98", "inventory", 2004);
  tree.File("d/Program Files/WindowsUpdate/V4/Windows Update.log", "the V4 folder's", 2004);
  tree.File("d/WINDOWS/Windows Update.log", "the Windows folder's", 2005);
  tree.Folder("out");
  const Ran ran = Scan({"drive", "d", "--save-to", "out", "--json", "report.json"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(ran.out, "2 files saved into " + tree.Path("out/CVL_SAVE") + "\n");
  EXPECT_NE(ran.err.find("Files found: 2, saved: 2, not saved: 0\n"), std::string::npos) << ran.err;
  EXPECT_EQ(tree.Listing("out/CVL_SAVE"), "README.TXT\nV4/\nV4/Windows Update.log\na.w98\n");
  EXPECT_EQ(tree.Read("out/CVL_SAVE/V4/Windows Update.log"), "the Windows folder's");

  const QJsonArray files = Report("report.json")["files"].toArray();
  ASSERT_EQ(files.size(), 2);
  EXPECT_EQ(files[1]["source"]["windows"], "D:\\WINDOWS\\Windows Update.log");
  EXPECT_EQ(files[1]["saved"]["windows"], "F:\\CVL_SAVE\\V4\\Windows Update.log");
  EXPECT_EQ(files[1]["sha256"], Sha256("the Windows folder's"));
}

TEST_F(ScanCommand, ADriveWithoutWindowsFolderNeedsTheOptionThatNamesIt) {
  tree.File("d/Program Files/WindowsUpdate/a.w98", "inventory", 2004);
  tree.File("d/OldWin/Windows Update.log", "log", 2005);
  tree.Folder("out");
  Ran ran = Scan({"drive", "d", "--save-to", "out"});
  EXPECT_EQ(ran.status, 1);
  EXPECT_NE(ran.err.find("--windows-folder PATH"), std::string::npos) << ran.err;
  EXPECT_EQ(tree.Listing("out"), "");

  ran = Scan({"drive", "d", "--save-to", "out", "--windows-folder", "d/OldWin"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(tree.Listing("out/CVL_SAVE"), "README.TXT\nV4/\nV4/Windows Update.log\na.w98\n");
}

// Another save holding the save folder longer than a save waits: said on standard error, and
// exit 3, as for any save that lost files.
TEST_F(ScanCommand, ASaveFolderHeldByAnotherSaveIsSaidAndExitsThree) {
  tree.File("loose/a.inv", "inventory", 2001);
  tree.Folder("out/CVL_SAVE");
  const int held = open(tree.Path("out/CVL_SAVE").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  const Ran ran = Scan({"folder", "loose", "--save-to", "out"});
  close(held);
  EXPECT_EQ(ran.status, 3);
  EXPECT_NE(ran.err.find("Another scan is saving into F:\\CVL_SAVE at this moment."),
            std::string::npos)
      << ran.err;
  EXPECT_EQ(tree.Listing("out/CVL_SAVE"), "");
}

TEST_F(ScanCommand, FolderReportsCaseTwinsAndNamesThatAreNotUtf8) {
  tree.File("loose/A.GNG", "one", 2004);
  tree.File("loose/a.gng", "two", 2004);
  tree.File("loose/\xe9t\xe9.w98", "latin-1 name", 2004);
  tree.File("loose/later.w95", "too new", 2021);
  tree.Folder("out");
  const Ran ran = Scan({"folder", "loose", "--save-to", "out", "--json", "report.json"});
  EXPECT_EQ(ran.status, 3);
  EXPECT_EQ(ran.out, "2 files saved into " + tree.Path("out/CVL_SAVE") + "\n");
  EXPECT_NE(ran.err.find("saved: 2, not saved: 1\n  Could not copy file: E:\\"), std::string::npos)
      << ran.err;

  const QJsonObject report = Report("report.json");
  EXPECT_EQ(report["exit_status"], 3);
  const QJsonArray failures = report["failures"].toArray();
  ASSERT_EQ(failures.size(), 1);
  EXPECT_TRUE(failures[0]["reason"].toString().endsWith(
      "(its name differs only in case from a file saved already)"));
  EXPECT_TRUE(failures[0]["source"]["windows"].toString().startsWith("E:\\"));
  const QJsonObject odd = report["files"].toArray()[1].toObject()["source"].toObject();
  EXPECT_EQ(odd["windows"], QString::fromUtf8("E:\\\uFFFDt\uFFFD.w98"));
  EXPECT_EQ(odd["windows_hex"], "453a5ce974e92e773938");
  EXPECT_EQ(odd["linux_hex"],
            QString::fromLatin1(QByteArray(tree.Path("loose/\xe9t\xe9.w98").c_str()).toHex()));
}

TEST_F(ScanCommand, ComputerWritesTheConsoleAndSavesIntoRootOrDest) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "inventory", 2004);
  tree.File("c/Program Files/WindowsUpdate/V4/iuhist.xml", "history", 2021);
  tree.File("c/WINDOWS/Windows Update.log", "log", 2005);
  tree.Folder("out");
  const std::string before = State("c");
  const std::string transcript =
      "<t> - A new scan has been started.\n<t> - File found: a.w98\n"
      "<t> - File found but too new: iuhist.xml\n<t> - A Windows Update V4 log has been found.\n"
      "<t> - No corresponding OfficeUpdate directory found.\n";
  Ran ran = Scan({"computer", "c", "--registry", "machine.reg", "--save-to", "out"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(MaskTimes(ran.out),
            transcript + "<t> - Scan ended. Saved files can be found in F:\\CVL_SAVE.\n");
  EXPECT_EQ(tree.Listing("out"),
            "CVL_SAVE/\nCVL_SAVE/README.TXT\nCVL_SAVE/V4/\nCVL_SAVE/V4/Windows Update.log\n"
            "CVL_SAVE/a.w98\n");
  EXPECT_EQ(State("c"), before);

  ran = Scan({"computer", "c", "--registry", "machine.reg", "--windir", "C:\\WINDOWS"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(MaskTimes(ran.out),
            transcript + "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE.\n");
  EXPECT_EQ(tree.Listing("c/CVL_SAVE"), tree.Listing("out/CVL_SAVE"));
}

TEST_F(ScanCommand, ComputerAbortsAndFailuresHaveTheirStatus) {
  tree.Folder("c/Program Files");
  Ran ran = Scan({"computer", "c", "--registry", "machine.reg"});
  EXPECT_EQ(ran.status, 1);
  EXPECT_EQ(ran.out, "");
  EXPECT_NE(ran.err.find("--windir"), std::string::npos) << ran.err;

  tree.Folder("c/WINDOWS");
  ran = Scan({"computer", "c", "--registry", "machine.reg"});
  EXPECT_EQ(ran.status, 1);
  EXPECT_NE(MaskTimes(ran.out).find("<t> - The WindowsUpdate directory does not exist in "
                                    "C:\\Program Files. Scan aborted.\n"),
            std::string::npos);

  // A system drive that cannot take its save folder.
  tree.File("c/Program Files/WindowsUpdate/a.w98", "inventory", 2004);
  tree.File("c/CVL_SAVE", "a file in its place");
  ran = Scan({"computer", "c", "--registry", "machine.reg"});
  EXPECT_EQ(ran.status, 3);
  EXPECT_NE(MaskTimes(ran.out).find("<t> - Could not create directory: C:\\CVL_SAVE\n"),
            std::string::npos);
  EXPECT_NE(ran.err.find("--save-to DEST"), std::string::npos) << ran.err;

  // An empty V4 that an earlier run left holding a folder is said, but costs no file.
  tree.Folder("out/CVL_SAVE/V4/kept");
  ran = Scan({"computer", "c", "--registry", "machine.reg", "--save-to", "out"});
  EXPECT_EQ(ran.status, 0);
  EXPECT_NE(MaskTimes(ran.out).find("<t> - Could not remove directory: F:\\CVL_SAVE\\V4\n"),
            std::string::npos) << ran.out;
}

// Without an export, the computer scan reads the registry files of ROOT's own Windows: a
// Program Files folder that only the registry names is found, and only a ROOT with no
// registry that opens asks for --registry.
TEST_F(ScanCommand, ComputerReadsRootsOwnRegistryWithoutAnExport) {
  using testsupport::RegistryHive;
  RegistryHive win98(RegistryHive::Kind::Win9x), nt(RegistryHive::Kind::Nt);
  win98.SetText(testsupport::kCurrentVersionKey, "ProgramFilesDir", "C:\\Ohjelmatiedostot");
  tree.File("c/WINDOWS/SYSTEM.DAT", win98.Bytes());
  tree.File("c/Ohjelmatiedostot/WindowsUpdate/a.w98", "inventory", 2001);
  tree.Folder("out");
  const std::string before = State("c");
  Ran ran = Scan({"computer", "c", "--save-to", "out"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_NE(MaskTimes(ran.out).find("<t> - File found: a.w98\n"), std::string::npos) << ran.out;
  EXPECT_EQ(tree.Listing("out"), "CVL_SAVE/\nCVL_SAVE/README.TXT\nCVL_SAVE/a.w98\n");
  EXPECT_EQ(State("c"), before);

  // An NT disk: WINNT and its SOFTWARE hive.
  nt.SetText(testsupport::kCurrentVersionKey, "ProgramFilesDir", "C:\\Programme");
  tree.File("d/WINNT/system32/config/SOFTWARE", nt.Bytes());
  tree.File("d/Programme/WindowsUpdate/b.n5x", "inventory", 2002);
  ran = Scan({"computer", "d"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(tree.Read("d/CVL_SAVE/b.n5x"), "inventory");

  // A hive that is not whole, and no Windows folder at all.
  tree.File("d/WINNT/system32/config/SOFTWARE", nt.Bytes().substr(0, 4096));
  tree.Folder("bare");
  for (const char* root : {"d", "bare"}) {
    ran = Scan({"computer", root, "--save-to", "out"});
    EXPECT_EQ(ran.status, 2) << root;
    EXPECT_NE(ran.err.find("ROOT's Windows has no registry that can be read (system32\\config\\"
                           "SOFTWARE or SYSTEM.DAT in its WINNT or WINDOWS folder): give its "
                           "registry export with --registry FILE (or set QUILLFEN_REGISTRY)"),
              std::string::npos)
        << ran.err;
    EXPECT_EQ(ran.out, "");
  }
}

TEST_F(ScanCommand, UsageAndSetUpErrorsAreRefusedBeforeAnythingIsWritten) {
  Disk("d");
  tree.Folder("d/inside");
  tree.Folder("out/CVL_SAVE/V4");
  // A disk inside DEST, and a V4 in DEST's save folder that leads into it: F: holds both.
  Disk("shelf/disk");
  tree.Folder("shelf/CVL_SAVE");
  std::filesystem::create_directory_symlink(tree.Path("shelf/disk/WINDOWS"),
                                            tree.Path("shelf/CVL_SAVE/V4"));
  const std::string before = State("d") + State("out") + State("shelf");
  const std::vector<std::pair<Strings, std::string>> cases = {
      {{"drive", "d"}, "the drive scan needs --save-to DEST"},
      {{"drive", "d", "--save-to", "d/inside"}, "lies inside"},
      {{"folder", "out/CVL_SAVE/V4", "--save-to", "out"}, "lies inside the save folder"},
      {{"drive", "shelf/disk", "--save-to", "shelf"}, "a link in the save folder"},
      {{"drive", "d", "--save-to", "missing"}, "missing': No such file or directory"},
      {{"drive", "nowhere", "--save-to", "out"}, "nowhere': No such file or directory"},
      {{"drive", "/proc", "--save-to", "out"}, "running machine"},
      {{"drive", "d", "--save-to", "out", "--json", "d/report.json"}, "never written to"},
      {{"folder", "d", "--save-to", "out", "--windir", "C:\\W"}, "--windir does not go"},
      {{"computer", "c"}, "--registry FILE"},
      {{"computer", "c", "--registry", "none.reg"}, "none.reg"},
      {{"computer", "c", "--registry", "machine.reg", "--windir", "D:\\WINDOWS"}, "on C:"},
      {{"disk", "d", "--save-to", "out"}, "unknown scan 'disk'"},
      {{"drive", "d", "--save-to", "out", "--frobnicate"}, "frobnicate"},
  };
  for (const auto& [arguments, says] : cases) {
    const Ran ran = Scan(arguments);
    EXPECT_EQ(ran.status, 2) << arguments.join(' ').toStdString();
    EXPECT_NE(ran.err.find(says), std::string::npos) << ran.err;
    EXPECT_EQ(ran.out, "");
  }
  EXPECT_EQ(State("d") + State("out") + State("shelf"), before);
}

TEST_F(ScanCommand, HelpAndVersionAsGnuProgramsGiveThem) {
  Ran ran = Scan({"--version"});
  EXPECT_EQ(ran.status, 0);
  EXPECT_EQ(ran.out, "quillfen-scan (Quillfen) 1.0.5\n");
  ran = Scan({"--help"});
  EXPECT_EQ(ran.status, 0);
  EXPECT_EQ(ran.out.rfind("Usage: quillfen-scan drive ROOT --save-to DEST", 0), 0u);
  for (const char* part : {"--windows-folder <PATH>", "--json <FILE>", "Exit status:"})
    EXPECT_NE(ran.out.find(part), std::string::npos) << part;
}

TEST_F(ScanCommand, EachScanSavesWhatTheWindowsSave) {
  Disk("c");
  Disk("d");
  tree.File("c/WUTemp/w.cab", "cab", 2024);
  tree.SetTime("c/WUTemp", 2019);
  tree.File("d/loose/x.inv", "loose", 2004);
  tree.File("d/loose/iuhist.xml", "loose history", 2004);
  for (const char* folder : {"cli-c", "cli-d", "cli-e", "c/gui-d", "c/gui-e"}) tree.Folder(folder);
  EXPECT_EQ(Scan({"computer", "c", "--registry", "machine.reg", "--save-to", "cli-c"}).status, 0);
  EXPECT_EQ(Scan({"drive", "d", "--save-to", "cli-d"}).status, 0);
  EXPECT_EQ(Scan({"folder", "d/loose", "--save-to", "cli-e"}).status, 0);

  testsupport::FakeTextBox console;
  testsupport::FakeWindow window;
  testsupport::FakeShowable button;
  ScanProcess::ScanLocalComputer(console, window, button);
  dialogs.SaveInto({"C:\\gui-d", "C:\\gui-e"});
  ScanProcess::ScanDrive("d:");
  ScanProcess::ScanFolder("D:\\loose");

  EXPECT_EQ(State("cli-c/CVL_SAVE"), State("c/CVL_SAVE"));
  EXPECT_NE(State("cli-c/CVL_SAVE").find("WUTemp/w.cab"), std::string::npos);
  EXPECT_EQ(State("cli-d/CVL_SAVE"), State("c/gui-d/CVL_SAVE"));
  EXPECT_EQ(State("cli-e/CVL_SAVE"), State("c/gui-e/CVL_SAVE"));
  EXPECT_NE(State("cli-e/CVL_SAVE"), "");
}

}  // namespace
}  // namespace clitest
