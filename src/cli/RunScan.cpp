#include "cli/RunScan.h"

#include <cstdio>

#include "cli/Answers.h"
#include "cli/ExitStatus.h"
#include "cli/LineConsole.h"
#include "cli/Outcome.h"
#include "cli/Report.h"
#include "scan/ConsoleTools.h"
#include "scan/ScanOptions.h"
#include "scan/ScanProcess.h"
#include "scan/TimeTools.h"

namespace Cli {
namespace {

const char* ScanName(ScanKind kind) {
  switch (kind) {
    case ScanKind::Computer: return "computer";
    case ScanKind::Drive: return "drive";
    case ScanKind::Folder: return "folder";
  }
  return "";
}

// The scan of this computer, with its start line as the local-scan window writes it. Returns
// why it did not run (no Windows folder), or empty text.
std::string ScanComputer(const Machine& machine, Progress& progress) {
  if (!HasWindowsFolder())
    return "no WINNT or WINDOWS folder at the top of ROOT: name the Windows folder with "
           "--windir 'C:\\PATH'; nothing was scanned";
  LineConsole console(progress);
  ScreenPorts::NoWindow window;
  ScreenPorts::NoButton button;
  ConsoleTools::ConsoleWrite(console, TimeTools::NowText() + ScanProcess::kScanStarted, true);
  ScanProcess::ScanLocalComputer(console, window, button,
                                 machine.saveToDest ? machine.saveFolder : std::string());
  return {};
}

int Fail(const std::string& problem) {
  std::fprintf(stderr, "quillfen-scan: %s\n", problem.c_str());
  return kUsageError;
}

}  // namespace

int RunScan(const Request& request) {
  const SetUpResult setUp = SetUpMachine(request);
  if (!setUp.machine) return Fail(setUp.error);
  const Machine& machine = *setUp.machine;

  Progress progress;
  Record record(progress);
  FileTools::WatchCopies watch(record);
  Answers answers(machine.saveToDest ? "F:\\" : "", machine.windowsFolder);
  UserDialogs::Scope dialogs(answers);
  ScanOptions::ResetAll();  // every kind of file, as the windows start

  Outcome outcome;
  outcome.scan = ScanName(request.kind);
  outcome.machine = &machine;
  outcome.record = &record;
  progress.Show("Scanning " + machine.scannedNative + " ...");
  switch (request.kind) {
    case ScanKind::Computer:
      outcome.refusal = ScanComputer(machine, progress);
      break;
    case ScanKind::Drive:
      ScanProcess::ScanDrive(machine.scanned);
      if (answers.WindowsFolderRefused())
        outcome.refusal = "no WINNT or WINDOWS folder at the top of ROOT: name the Windows "
                          "folder with --windows-folder PATH; nothing was saved";
      break;
    case ScanKind::Folder:
      ScanProcess::ScanFolder(machine.scanned);
      break;
  }
  progress.Clear();
  outcome.told = answers.Told();
  outcome.status = ExitStatusOf(record, !outcome.refusal.empty());

  WriteSummary(outcome, request.kind != ScanKind::Computer);
  if (setUp.report)
    if (std::string problem = WriteReport(*setUp.report, outcome); !problem.empty())
      return Fail(problem);
  return outcome.status;
}

}  // namespace Cli
