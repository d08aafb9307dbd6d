// Figures for whole scans on generated trees of qualifying files, beside find and
// cp -r --preserve=timestamps doing the same reading and copying, each as a ratio to its peer
// and per file; and the scan console through the real Qt text box. Medians of repeated runs.
//
//   quillfen_scan_bench            2,000 and 20,000 files, 5 runs each
//   quillfen_scan_bench --smoke    a few files, one run: only that it all works
#include <QApplication>
#include <QPlainTextEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Timing.h"
#include "scan/ConsoleTools.h"
#include "scan/ScanProcess.h"
#include "system/HostSettings.h"
#include "system/UserDialogs.h"
#include "ui/qt/TextBoxControl.h"

namespace {

namespace fs = std::filesystem;
using Timing::Clock;
using Timing::Median;
using Timing::Time;

bool failed = false;  // a figure of work that did not do what it should is no figure

// Answers every box with OK and every picker with the save place, as a user would.
class Answering final : public UserDialogs::Service {
 public:
  std::string saveTo;
  int boxes = 0;
  UserDialogs::Answer Message(const std::string&, const std::string&, UserDialogs::Icon,
                              UserDialogs::Buttons, UserDialogs::Question) override {
    ++boxes;
    return UserDialogs::Answer::Ok;
  }
  std::string PickFolder(const std::string&, UserDialogs::Question) override { return saveTo; }
  void OpenInShell(const std::string&) override {}
};

// An editor on screen as the local scan window's console stands: its size, read-only, no undo.
void ShowAsConsole(QPlainTextEdit& edit) {
  edit.resize(465, 177);
  edit.setReadOnly(true);
  edit.setUndoRedoEnabled(false);
  edit.show();
}

void File(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
  fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(24 * 365 * 20));
}

// `files` qualifying inventories in `folder`.
void Inventories(const std::string& folder, int files) {
  for (int i = 0; i < files; ++i)
    File(folder + "/INV" + std::to_string(i) + ".W98", "inventory " + std::to_string(i) + "\r\n");
}


void Shell(const std::string& command) {
  if (std::system(command.c_str()) == 0) return;
  std::fprintf(stderr, "failed: %s\n", command.c_str());
  failed = true;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

struct Row {
  std::string what;
  double seconds;
  double peer;  // the peer's seconds, 0 for none
};

void Print(int files, const std::vector<Row>& rows) {
  std::printf("\n%d qualifying files\n", files);
  std::printf("  %-34s %10s %12s %10s\n", "", "median", "per file", "x peer");
  for (const Row& row : rows) {
    std::printf("  %-34s %9.3fs %10.1fus", row.what.c_str(), row.seconds, row.seconds * 1e6 / files);
    if (row.peer > 0) std::printf(" %9.2fx", row.seconds / row.peer);
    std::printf("\n");
  }
}

// Whole scans of `files` qualifying files; returns the local scan's seconds per file.
double ScanFigures(const std::string& root, int files, int runs) {
  const std::string c = root + "/c", d = root + "/d", e = root + "/e", f = root + "/f";
  fs::remove_all(root);
  Inventories(c + "/Program Files/WindowsUpdate", files);
  fs::create_directories(c + "/WINDOWS");
  Inventories(d + "/Program Files/WindowsUpdate", files);
  fs::create_directories(d + "/WINDOWS");
  Inventories(e, files);
  fs::create_directories(f);
  std::ofstream(root + "/machine.reg")
      << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\r\n"
         "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\r\n";
  HostSettings::Use({.drives = "C=" + c + ";D=" + d + ";E=" + e + ";F=" + f,
                     .registry = root + "/machine.reg",
                     .windir = "C:\\WINDOWS"});

  Answering answers;
  answers.saveTo = "F:\\";
  UserDialogs::Scope scope(answers);
  const auto clear = [&] { fs::remove_all(c + "/CVL_SAVE"); fs::remove_all(f + "/CVL_SAVE"); };
  const std::string cpTarget = root + "/cp";
  const auto clearCp = [&] { fs::remove_all(cpTarget); };
  const std::string inventories = Quoted(c + "/Program Files/WindowsUpdate");

  const double find = Time(runs, [] {}, [&] { Shell("find " + inventories + " -type f | wc -l >/dev/null"); });
  const double cp = Time(runs, clearCp, [&] {
    Shell("cp -r --preserve=timestamps " + inventories + " " + Quoted(cpTarget));
  });
  const auto saved = [&](const std::string& what, const std::string& folder) {
    if (fs::exists(folder + "/CVL_SAVE/INV0.W98") && fs::exists(folder + "/CVL_SAVE/README.TXT"))
      return;
    std::fprintf(stderr, "the %s saved nothing\n", what.c_str());
    failed = true;
  };
  const double local = Time(runs, clear, [&] {
    QPlainTextEdit edit;
    ShowAsConsole(edit);
    QtUi::TextBoxControl console(&edit);
    ScreenPorts::NoWindow window;
    ScreenPorts::NoButton button;
    ConsoleTools::ConsoleWrite(console, "now - A new scan has been started.", true);
    ScanProcess::ScanLocalComputer(console, window, button);
    QApplication::processEvents();
  });
  saved("local scan", c);
  const double folder = Time(runs, clear, [&] { ScanProcess::ScanFolder("E:\\"); });
  saved("folder scan", f);
  const double drive = Time(runs, clear, [&] { ScanProcess::ScanDrive("D:"); });
  saved("drive scan", f);

  Print(files, {{"find | wc -l (reading)", find, 0},
                {"cp -r --preserve=timestamps", cp, 0},
                {"local scan, real console", local, cp},
                {"folder scan, SaveFoundFiles", folder, cp},
                {"drive scan", drive, cp}});
  fs::remove_all(root);
  return local / files;
}

// The console alone: `lines` lines, and the first tenth against the last.
void ConsoleFigures(int lines) {
  QPlainTextEdit edit;
  ShowAsConsole(edit);
  QtUi::TextBoxControl console(&edit);
  const int slice = std::max(1, lines / 20);
  std::vector<double> slices;
  const auto start = Clock::now();
  auto sliceStart = start;
  for (int i = 0; i < lines; ++i) {
    ConsoleTools::ConsoleWrite(
        console, "08/12/2026 07:30:15 - File found: inventory" + std::to_string(i) + ".w98", true);
    if ((i + 1) % slice == 0) {
      const auto now = Clock::now();
      slices.push_back(std::chrono::duration<double>(now - sliceStart).count());
      sliceStart = now;
    }
  }
  QApplication::processEvents();
  const double total = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("\nconsole: %d lines through the Qt text box\n", lines);
  std::printf("  all lines                %.3f s (%.1f us a line)\n", total, total * 1e6 / lines);
  std::printf("  first %-5d lines        %.3f s\n", slice, slices.front());
  std::printf("  last %-5d lines         %.3f s (%.2f x the first)\n", slice, slices.back(),
              slices.back() / slices.front());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool smoke = argc > 1 && std::string(argv[1]) == "--smoke";
  std::string pattern = (fs::temp_directory_path() / "quillfen-scanbench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return 1;

  ConsoleFigures(smoke ? 200 : 20000);
  if (smoke) {
    ScanFigures(pattern + "/trees", 20, 1);
  } else {
    const double small = ScanFigures(pattern + "/trees", 2000, 5);
    const double large = ScanFigures(pattern + "/trees", 20000, 5);
    std::printf("\nlocal scan per file, 20,000 against 2,000: %.2f x\n", large / small);
  }
  fs::remove_all(pattern);
  return failed ? 1 : 0;
}
