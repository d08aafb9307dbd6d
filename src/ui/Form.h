#pragma once
// One window of the program: its table and its event handlers, written once for every
// toolkit.
#include <functional>
#include <memory>
#include <string>

#include "ui/FormTable.h"
#include "ui/Toolkit.h"

namespace ui {

class Form {
 public:
  virtual ~Form() = default;
  virtual const FormTable& Table() const = 0;
  // Runs every time the window is loaded, before it is first shown.
  virtual void OnLoad(Toolkit&) {}
  // Runs every time the window becomes the active window (after it has been painted).
  virtual void OnActivate(Toolkit&) {}
  // A command button of this window was pressed (by mouse, Enter or Esc).
  virtual void OnClick(Toolkit&, const std::string& /*control*/) {}
  // The title-bar close box: returns whether the window may close (it is then unloaded).
  virtual bool OnCloseBox(Toolkit&) { return true; }
};

// The six windows by name: "BEGIN_FRM", "LOCALSCAN_FRM", "CHECK_FRM", "SCAN_OPTIONS",
// "OTHER_FRM", "ABOUT_FRM". Returns null for an unknown name.
std::unique_ptr<Form> MakeForm(const std::string& name);

// Makes a window's logic by name (MakeForm in the program); null for an unknown name.
using FormMaker = std::function<std::unique_ptr<Form>(const std::string&)>;

// The window the program starts with.
inline constexpr const char* kStartForm = "BEGIN_FRM";

}  // namespace ui
