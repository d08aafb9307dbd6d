#pragma once
// The hostile-input suite's fixture: a Windows machine of temporary trees (C: the running
// system with windir C:\WINDOWS, D: another disk, and E: for loose folders), a console and scripted dialogs, and the four things every case checks:
// nothing crashed (the case ran to its end), every source file is unchanged, what could be
// saved was saved, and what could not was said.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/FakeScreen.h"
#include "support/WindowsMachine.h"

namespace hostile {

using Calls = std::vector<std::string>;

// What a folder or drive scan tells a user when it saves into `saveFolder` with nothing to
// regret: the question, the picker, the success box and the opened folder.
inline Calls SavedWithoutAWord(const std::string& saveFolder) {
  return {"box: You will now be prompted to specify the location where you'd like to save your "
          "Windows Update files.",
          "pick: Where would you like to save your Windows Update files?",
          "box: Your files have successfully been saved. Press OK to open the save directory.",
          "open: " + saveFolder};
}

// A console that lets a case act at the moment a line is written ("File found: x" comes just
// before x is copied), to change the disk between a listing and a copy.
class HookedConsole : public testsupport::FakeTextBox {
 public:
  std::function<void(const std::string& inserted)> onInsert;
  void InsertAtCaret(const std::string& text) override {
    FakeTextBox::InsertAtCaret(text);
    if (onInsert) onInsert(text);
  }
};

class HostileWorld : public ::testing::Test, protected testsupport::WindowsMachine {
 protected:
  // Drive E: is the folder e/, beside the machine's C: and D:.
  HostileWorld();
  ~HostileWorld() override;

  // Takes the fingerprint of every source file: each file of the tree outside any CVL_SAVE
  // (bytes, size, modification time, permission bits). The destructor checks them again.
  void Arm();
  // Leaves a file out of the final check (a case that changes it on purpose).
  void Changes(const std::string& relative) { changed_.push_back(relative); }

  // The three scans. Each returns what the user was told: the masked console for the local
  // scan, the boxes and pickers for the others.
  std::string ScanLocal();
  Calls ScanFolder(const std::string& folder);
  Calls ScanDrive(char letter);

  // The save folder below `relative` as sorted relative paths, one a line.
  std::string Saved(const std::string& relative) const { return tree.Listing(relative); }

  HookedConsole console;
  testsupport::FakeWindow progress;
  testsupport::FakeShowable openButton;

 private:
  std::map<std::string, std::string> Fingerprints(bool openUp) const;

  bool armed_ = false;
  std::map<std::string, std::string> before_;
  std::vector<std::string> changed_;
};

// Runs `body` in a child process that holds no capability to override file permissions
// (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH), so that unreadable and read-only files stay so even
// when the suite runs as root. The child's failures fail the case; a child that cannot shed the
// capabilities fails it too, so these cases are never skipped in silence.
void WithoutPermissionOverride(const std::function<void()>& body);

// Runs `body` in a child process that may write at most `bytes` into any one file: a disk that
// fills up part-way through a file. Returns whether the child ran to its end.
bool WithFileSizeLimit(long bytes, const std::function<void()>& body);

// Whether every line of `said` is somewhere in `text`.
::testing::AssertionResult Says(const std::string& text, const std::vector<std::string>& said);

// The "Could not copy file" reason for a file Windows would take for one already saved.
std::string CaseTwin(const std::string& file);

}  // namespace hostile
