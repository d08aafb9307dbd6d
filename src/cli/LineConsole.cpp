#include "cli/LineConsole.h"

#include <cstdio>

namespace Cli {

void LineConsole::SetText(const std::string& text) {
  text_ = text;
  caret_ = 0;
}

void LineConsole::SetSelStart(std::size_t position) {
  caret_ = position > text_.size() ? text_.size() : position;
}

void LineConsole::InsertAtCaret(const std::string& text) {
  text_.insert(caret_, text);
  caret_ += text.size();

  // The break that goes before a line on the console ends the line before it here.
  std::string line = text.compare(0, 2, "\r\n") == 0 ? text.substr(2) : text;
  for (std::size_t at = line.find("\r\n"); at != std::string::npos; at = line.find("\r\n", at))
    line.replace(at, 2, "\n");
  progress_.Clear();
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace Cli
