// Figures for the scan console through the real Qt text box: 20,000 lines written as a scan
// writes them, the time in all, and the first 1,000 lines against the last 1,000. Appending a
// line should cost the line, not the console: the two figures stay level as the console grows.
#include <QApplication>
#include <QPlainTextEdit>
#include <chrono>
#include <cstdio>
#include <string>

#include "scan/ConsoleTools.h"
#include "ui/qt/TextBoxControl.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration span) { return std::chrono::duration<double>(span).count(); }

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const int lines = argc > 1 ? std::atoi(argv[1]) : 20000;
  const int slice = lines / 20;

  QPlainTextEdit edit;
  edit.resize(465, 177);  // the console's size on the local scan window
  edit.setReadOnly(true);
  edit.show();
  QtUi::TextBoxControl console(&edit);

  std::vector<Clock::duration> times;
  const auto start = Clock::now();
  auto sliceStart = start;
  for (int i = 0; i < lines; ++i) {
    ConsoleTools::ConsoleWrite(
        console, "08/12/2026 07:30:15 - File found: inventory" + std::to_string(i) + ".w98", true);
    if ((i + 1) % slice == 0) {
      const auto now = Clock::now();
      times.push_back(now - sliceStart);
      sliceStart = now;
    }
  }
  QApplication::processEvents();
  const double total = Seconds(Clock::now() - start);
  const double first = Seconds(times.front()), last = Seconds(times.back());
  std::printf("console lines            %d (%zu bytes)\n", lines, console.Length());
  std::printf("all lines                %.3f s (%.1f us a line)\n", total, total * 1e6 / lines);
  std::printf("first %d lines        %.3f s\n", slice, first);
  std::printf("last %d lines         %.3f s (%.2f x the first)\n", slice, last, last / first);
  return 0;
}
