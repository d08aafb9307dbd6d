#pragma once
// The program's windows held still: their load steps run, but activation does nothing and a
// button only notes that it was pressed. A progress window can so be shown without its scan,
// and every window's keys can be tried without their effects.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ui/Form.h"

namespace testsupport {

// The buttons pressed, in order; read from any thread (the Win32 windows run on their own).
class PressLog {
 public:
  void Add(const std::string& press);
  // The presses so far, which are then forgotten.
  std::vector<std::string> Take();

 private:
  std::mutex mutex_;
  std::vector<std::string> presses_;
};

using ui::FormMaker;

// The program's windows (ui::MakeForm), held still; presses go into `presses` when one is given.
FormMaker StillForms(PressLog* presses = nullptr);

}  // namespace testsupport
