#pragma once
// One line on standard error, written over and over while a scan saves, so a person at a
// terminal sees it move; nothing at all when standard error is not a terminal.
#include <string>

namespace Cli {

class Progress {
 public:
  Progress();
  ~Progress() { Clear(); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void Show(const std::string& text);
  // Takes the line away, before anything else is written to the terminal.
  void Clear();

 private:
  bool terminal_;
  bool shown_ = false;
};

}  // namespace Cli
