#pragma once
// Finding and working the controls of drawn windows, as a user would.
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <string>

namespace qttest {

// A control of a window by its name, or null.
template <class T>
T* ControlOf(QWidget* window, const char* name) {
  return window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// Clicks a command button as the mouse would; false when there is no such button or the
// user could not click it (hidden, disabled, or under a modal window).
bool ClickButton(QWidget* window, const char* name);
// A key press as the keyboard sends it: to the window's focused control, else the window.
void PressKey(QWidget* window, int key);
// Lets queued work run and deletes what was left for deletion.
void Settle();
// Every top-level widget still in existence after Settle(), as "<class> <object name>".
QStringList LeftoverWindows();

// Changes the working folder for the life of the object.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::string& folder) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~WorkingFolder() { std::filesystem::current_path(old_); }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::filesystem::path old_;
};

}  // namespace qttest
