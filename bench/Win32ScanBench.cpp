// Figures for the Win32 build under Wine (scripts/wine/bench.sh runs it as Windows 98 and as
// Windows XP, on an X display of its own):
//  - the scan console: as many lines as a local scan of the tree writes, through the real
//    Win32 text box over an edit control on screen, until the screen shows them;
//  - a local scan of the tree through the program's real windows, from the click on "Scan my
//    computer" until the progress window has gone;
//  - the scans' file work alone: the same local scan into a console that draws nothing, and
//    a folder scan of the same files through the save sequence;
//  - their peer: CopyFile of each of the files into an empty folder, the least a copy of them
//    costs (under Wine each new name in a folder is looked for through the whole folder,
//    without regard to case, so saving many files into one folder grows with their square).
// Medians of repeated runs, in seconds and per file.
//
//   quillfen_win32_bench [files [runs [parts]]]   10,000 qualifying inventories and 3 V4 files,
//                                                3 runs; parts: some of console, quiet, folder,
//                                                copy, windows (all by default), joined by commas
//   quillfen_win32_bench files 1 --calls          one local and one folder scan between marks
//                                                for a trace of the calls (bench.sh)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "Timing.h"
#include "scan/ConsoleTools.h"
#include "scan/ScanProcess.h"
#include "support/FakeScreen.h"
#include "support/WindowsMachine.h"
#include "ui/Form.h"
#include "ui/FormNames.h"
#include "ui/win32/ControlDrawing.h"
#include "ui/win32/Win32Toolkit.h"

namespace {

using Timing::Clock;
using Timing::Median;
using Timing::Time;

bool failed = false;  // a figure of work that did not do what it should is no figure

void Fail(const std::string& what) {
  std::fprintf(stderr, "failed: %s\n", what.c_str());
  failed = true;
}


// Handles every message waiting, painting included, until none is left.
void PumpUntilIdle() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// A window on screen holding the local scan window's console, drawn from its table row.
class ConsoleWindow {
 public:
  ConsoleWindow() {
    static const bool registered = [] {
      WNDCLASSA windowClass = {};
      windowClass.lpfnWndProc = DefWindowProcA;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      windowClass.lpszClassName = "QuillfenBenchConsole";
      return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    window_ = CreateWindowExA(0, "QuillfenBenchConsole", "console", WS_OVERLAPPED | WS_CAPTION, 10, 10,
                              500, 240, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    form_ = ui::MakeForm(ui::kLocalScanForm);
    for (const ui::ControlRow& row : form_->Table().controls) {
      if (row.name != ui::kScanConsole) continue;
      const RECT place = {5, 5, 470, 182};  // the console's size in the local scan window
      console_ = Win32Ui::DrawControl(row, window_, 100, place, nullptr);
    }
    ShowWindow(window_, SW_SHOWNA);
    UpdateWindow(window_);
    PumpUntilIdle();
  }
  ~ConsoleWindow() {
    console_.reset();
    DestroyWindow(window_);
    PumpUntilIdle();
  }
  ScreenPorts::TextBox* Console() { return console_.get(); }

 private:
  HWND window_ = nullptr;
  std::unique_ptr<ui::Form> form_;
  std::unique_ptr<Win32Ui::WindowControl> console_;
};

// Lines of the length a local scan writes ("<time stamp> - File found: INV123.W98").
double ConsoleSeconds(int lines, int runs) {
  return Time(runs, [] {}, [&] {
    ConsoleWindow window;
    ScreenPorts::TextBox* console = window.Console();
    if (!console) return Fail("no console could be drawn");
    for (int i = 0; i < lines; ++i)
      ConsoleTools::ConsoleWrite(*console, "08/12/2026 07:30:15 - File found: INV" + std::to_string(i) + ".W98",
                                 true);
    PumpUntilIdle();
    const std::string text = console->Text();
    if (text.size() != console->Length() || console->SelStart() != text.size())
      Fail("the console's length or caret is not its text's end");
    const std::string last = "INV" + std::to_string(lines - 1) + ".W98";
    if (text.size() < last.size() || text.compare(text.size() - last.size(), last.size(), last) != 0)
      Fail("the console does not end with the last line");
  });
}

struct Machine : testsupport::WindowsMachine {
  explicit Machine(int files) {
    tree.Folder("c/WINDOWS");
    for (int i = 0; i < files; ++i)
      tree.File("c/Program Files/WindowsUpdate/INV" + std::to_string(i) + ".W98", "inventory\r\n", 2004);
    for (const char* name : {"iuhist.xml", "iuhist_catalogadmin.xml", "Windows Update.log"})
      tree.File(std::string("c/Program Files/WindowsUpdate/V4/") + name, "v4\r\n", 2004);
  }
  void ClearSaves() const {
    for (const char* save : {"c/CVL_SAVE", "d/CVL_SAVE"})
      std::filesystem::remove_all(tree.Path(save));
  }
  void ExpectSaved(const std::string& what, const std::string& save, int files) const {
    if (!tree.Exists(save + "/INV" + std::to_string(files - 1) + ".W98") || !tree.Exists(save + "/README.TXT"))
      Fail("the " + what + " saved nothing");
  }
};

// Local scans through the program's windows: the home window's "Scan this computer", then the
// click on "Scan my computer", timed until the progress window has gone and the local scan
// window has handled what followed (its console shown).
double WindowScanSeconds(Machine& machine, int files, int runs) {
  std::vector<double> seconds;
  for (int run = 0; run < runs; ++run) {
    machine.ClearSaves();
    wintest::ProgramRun program;
    if (!program.Click(ui::kBeginForm, "Command2")) Fail("no home window");
    const HWND console = program.Control(ui::kLocalScanForm, ui::kScanConsole);
    const auto clicked = Clock::now();
    if (!program.Click(ui::kLocalScanForm, "ScanButton")) Fail("no local scan window");
    while (!failed && program.OpenForms() != std::vector<std::string>{ui::kLocalScanForm}) Sleep(5);
    program.Settle();
    seconds.push_back(Timing::SecondsSince(clicked));
    if (wintest::TextOf(console).find("Scan ended. Saved files can be found in") == std::string::npos)
      Fail("the local scan did not end with its files saved");
    machine.ExpectSaved("local scan", "c/CVL_SAVE", files);
  }
  return Median(seconds);
}

// One local scan (console not drawn) and one folder scan, between marks that a trace of the
// calls can be cut at (OutputDebugString).
int CallsOnly(Machine& machine, int files) {
  testsupport::FakeTextBox console;
  ScreenPorts::NoWindow window;
  ScreenPorts::NoButton button;
  OutputDebugStringA("calls: local scan");
  ScanProcess::ScanLocalComputer(console, window, button);
  OutputDebugStringA("calls: end");
  machine.ExpectSaved("local scan", "c/CVL_SAVE", files);
  machine.dialogs.SaveInto({"T:\\"});
  OutputDebugStringA("calls: folder scan");
  ScanProcess::ScanFolder("S:\\Program Files\\WindowsUpdate");
  OutputDebugStringA("calls: end");
  machine.ExpectSaved("folder scan", "d/CVL_SAVE", files);
  machine.ClearSaves();
  return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::string parts = argc > 3 ? argv[3] : "console,quiet,folder,copy,windows";
  if (files <= 0 || runs <= 0) return 2;
  const auto wanted = [&](const std::string& part) {
    return ("," + parts + ",").find("," + part + ",") != std::string::npos;
  };
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  std::printf("Windows %lu.%lu, %d qualifying inventories and 3 V4 files, median of %d runs\n",
              version.dwMajorVersion, version.dwMinorVersion, files, runs);
  Machine machine(files);
  if (parts == "--calls") return CallsOnly(machine, files);
  const auto print = [](const char* what, double seconds, int count, const char* unit) {
    std::printf("  %-34s %8.3f s %8.3f ms a %s\n", what, seconds, seconds * 1e3 / count, unit);
    std::fflush(stdout);
  };

  if (wanted("console")) {
    const int lines = files + 3 + 6;  // a line a file, and the scan's own lines
    print(("console, " + std::to_string(lines) + " lines on screen").c_str(), ConsoleSeconds(lines, runs),
          lines, "line");
  }
  if (wanted("quiet")) {
    const double quiet = Time(runs, [&] { machine.ClearSaves(); }, [&] {
      testsupport::FakeTextBox console;
      ScreenPorts::NoWindow window;
      ScreenPorts::NoButton button;
      ScanProcess::ScanLocalComputer(console, window, button);
    });
    machine.ExpectSaved("local scan", "c/CVL_SAVE", files);
    print("local scan, console not drawn", quiet, files + 3, "file");
  }
  if (wanted("folder")) {
    const double folder = Time(runs, [&] {
      machine.ClearSaves();
      machine.dialogs.SaveInto({"T:\\"});
    }, [&] { ScanProcess::ScanFolder("S:\\Program Files\\WindowsUpdate"); });
    machine.ExpectSaved("folder scan", "d/CVL_SAVE", files);
    print("folder scan, save sequence", folder, files, "file");
  }
  if (wanted("copy")) {
    const std::string from = machine.tree.Path("c/Program Files/WindowsUpdate") + "\\";
    const std::string to = machine.tree.Path("d/CVL_SAVE") + "\\";
    const double copy = Time(runs, [&] {
      machine.ClearSaves();
      CreateDirectoryA(to.c_str(), nullptr);
    }, [&] {
      for (int i = 0; i < files; ++i) {
        const std::string name = "INV" + std::to_string(i) + ".W98";
        if (!CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE)) return Fail("CopyFile " + name);
      }
    });
    print("CopyFile of each, into one folder", copy, files, "file");
  }
  if (wanted("windows")) print("local scan through the windows", WindowScanSeconds(machine, files, runs), files + 3, "file");
  machine.ClearSaves();
  return failed ? 1 : 0;
}
