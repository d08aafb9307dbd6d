#include "cli/Progress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

namespace Cli {

Progress::Progress() : terminal_(isatty(STDERR_FILENO) == 1) {}

void Progress::Show(const std::string& text) {
  if (!terminal_) return;
  winsize size{};
  const std::size_t width =
      ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1 ? size.ws_col - 1 : 79;
  // Never wider than the terminal: a wrapped line could not be written over.
  std::fprintf(stderr, "\r\033[K%s", text.substr(0, width).c_str());
  std::fflush(stderr);
  shown_ = true;
}

void Progress::Clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace Cli
