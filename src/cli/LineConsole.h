#pragma once
// The scan console of a terminal: each line the local scan writes goes to standard output as
// the console shows it, ended with LF where the console joins lines with CR LF.
#include <string>

#include "cli/Progress.h"
#include "scan/ScreenPorts.h"

namespace Cli {

class LineConsole final : public ScreenPorts::TextBox {
 public:
  explicit LineConsole(Progress& progress) : progress_(progress) {}

  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;
  std::size_t Length() const override { return text_.size(); }
  std::size_t SelStart() const override { return caret_; }
  void SetSelStart(std::size_t position) override;
  // The engine writes whole lines at the end (ConsoleWrite), so what is inserted is printed.
  void InsertAtCaret(const std::string& text) override;

 private:
  Progress& progress_;
  std::string text_;
  std::size_t caret_ = 0;
};

}  // namespace Cli
