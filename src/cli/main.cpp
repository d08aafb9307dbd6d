// quillfen-scan: the three scans of Quillfen from a terminal, for a shelf of old disks. It
// asks nothing on standard input and needs no display.
#include <QCoreApplication>
#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/RunScan.h"
#include "system/WindowsApi.h"

int main(int argc, char** argv) {
  // Only the program's name reaches Qt: the options are the parser's alone.
  int qtArgc = 1;
  QCoreApplication app(qtArgc, argv);
  const Cli::Parsed parsed = Cli::ParseCommandLine(argc, argv);
  if (!parsed.request) {
    std::fputs(parsed.out.c_str(), stdout);
    std::fputs(parsed.err.c_str(), stderr);
    return parsed.status;
  }
  // Ctrl-C, or a request to end, leaves no half-written copy in the save folder.
  WindowsApi::RemoveTemporaryOnInterrupt();
  return Cli::RunScan(*parsed.request);
}
