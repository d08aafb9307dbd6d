#pragma once
// The program's own windows over a test machine, worked as a user works them.
#include <QStringList>
#include <memory>
#include <string>

#include "support/WindowsMachine.h"
#include "ui/qt/QtToolkit.h"

namespace qttest {

class ProgramFixture {
 public:
  ProgramFixture();
  ~ProgramFixture();

  // Starts the program: the home window, shown and active.
  QWidget* Start();
  // A loaded window, or null.
  QWidget* Window(const char* form) const { return toolkit->Window(form); }
  // Clicks a button of a window and lets the events it sets off run.
  bool Click(const char* form, const char* button);
  // The program's windows that are loaded, in the order of their names.
  QStringList Loaded() const;
  // The text of a control, through the toolkit.
  std::string Text(const char* form, const char* control) const;

  // A file on the machine ("c/Program Files/WindowsUpdate/5.w98"), last changed in `year`.
  void Put(const std::string& relative, int year) const { machine.tree.File(relative, "x", year); }
  // An old Windows on S: whose scan saves something: one V3 inventory, one V4 file, the log.
  void InstallOldWindows() const;

  // Its scripted dialogs answer unless a test puts the real ones in place.
  testsupport::WindowsMachine machine;
  bool ended = false;
  std::unique_ptr<QtUi::QtToolkit> toolkit;
};

}  // namespace qttest
