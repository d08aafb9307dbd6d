#pragma once
// How a window opens and closes, whatever toolkit draws it:
// - a window is loaded by name when it is first needed, and its load step runs before it is
//   shown; once the program has ended nothing loads;
// - Show shows it and returns at once; ShowModal shows it over the others and returns once it
//   is unloaded; a window on the screen is only brought to the front, as a second modal
//   showing of one window would nest a second loop;
// - its activation runs once per change of the active window, after it has been painted:
//   coming back from a message box, a folder picker or another program starts nothing again;
// - Unload takes it off the screen; its logic and controls live on until every handler of it
//   that runs has returned, as a window may unload itself;
// - the program ends on EndProgram, and once no window is left. That is checked from the
//   event loop after an unload, so a handler that unloads its window and then shows the next
//   one keeps the program running.
// A toolkit derives from it and supplies only what differs: it draws a window from its
// table, runs a nested event loop for a modal window, posts a call to its event loop, and
// leaves its event loops at the end.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/DrawnWindow.h"
#include "ui/Form.h"
#include "ui/Toolkit.h"

namespace ui {

class WindowManager : public Toolkit, private WindowEvents {
 public:
  using FormMaker = ui::FormMaker;

  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  Control& Get(const std::string& form, const std::string& control) override;
  void Show(const std::string& form) override;
  void ShowModal(const std::string& form) override;
  void Unload(const std::string& form) override;
  bool IsLoaded(const std::string& form) const override;
  void EndProgram() override;

  // Whether the program has ended (EndProgram, or no window left).
  bool Ended() const { return ended_; }
  // The loaded windows' names, in name order.
  std::vector<std::string> LoadedForms() const;
  // The windows shown modally that have not returned yet, the innermost last.
  const std::vector<std::string>& ModalStack() const { return modal_; }

 protected:
  explicit WindowManager(FormMaker makeForm);
  ~WindowManager() override;

  // Loads the window when it is not loaded yet; null when there is no such window, it could
  // not be drawn, its load step unloaded it again, or the program has ended.
  DrawnWindow* Load(const std::string& form);
  // The drawing of a loaded window, or null.
  DrawnWindow* Drawn(const std::string& form) const;
  // The drawings of all loaded windows.
  std::vector<DrawnWindow*> AllDrawn() const;
  // Where the toolkit's windows report what happens to them.
  WindowEvents& Events() { return *this; }
  // Frees every window at once. A toolkit's destructor calls it first, while what its windows
  // need of it is still there.
  void CloseAll();

  // --- what the toolkit supplies
  // Draws a window from its table, reporting to Events(); null when it cannot be made.
  virtual std::unique_ptr<DrawnWindow> Draw(const FormTable& table) = 0;
  // Shows the window modally over the program's active window, the other windows taking no
  // input meanwhile, and runs a nested event loop until the window is dismissed.
  virtual void RunModal(DrawnWindow& window) = 0;
  // Runs `call` from the event loop, once whatever runs now has returned to it.
  virtual void Post(std::function<void()> call) = 0;
  // Ends the program's event loops.
  virtual void LeaveEventLoops() = 0;
  // A handler asked for a window or a control that does not exist (`control` empty: there
  // is no window of that name). Nothing by default.
  virtual void Missing(const std::string& form, const std::string& control);

 private:
  struct Record;

  void Activated(DrawnWindow& window) override;
  void Clicked(DrawnWindow& window, const std::string& control) override;
  void CloseBoxPressed(DrawnWindow& window) override;

  Record* Loaded(const std::string& form) const;
  Record* LoadedWith(const DrawnWindow& window) const;
  Record* LoadedWith(std::uint64_t serial) const;
  // Unloaded, or the program has ended: the window is freed once no handler holds it.
  bool Gone(const Record& record) const;
  // Runs a handler of the window, which lives on until the handler returns.
  void RunHandler(Record& record, const std::function<void()>& handler);
  void Dismiss(std::unique_ptr<Record> record);
  // Every loaded window, as the program ends.
  void DismissAll();
  // Posted after an unload: frees the unloaded windows no handler holds any more, and ends
  // the program when no window is left.
  void PostAfterUnload();
  void AfterUnload();

  FormMaker makeForm_;
  std::map<std::string, std::unique_ptr<Record>> loaded_;
  std::vector<std::unique_ptr<Record>> unloaded_;
  std::vector<std::string> modal_;
  std::string lastActive_;  // the window whose activation ran last
  std::uint64_t serials_ = 0;
  bool ended_ = false;
};

}  // namespace ui
