#pragma once
// The user-dialog service: every message box, folder picker and shell open of the program
// goes through the one service that is current, so tests can answer them from a script.
#include <string>

namespace UserDialogs {

enum class Icon { Critical, Exclamation, Information, Warning };
enum class Buttons { Ok, OkCancel };
enum class Answer { Ok, Cancel };

// What a box or a picker asks, by name, so that whoever answers in a person's place
// (quillfen-scan, a test) answers the question, never the n-th box.
enum class Question {
  None,                 // a box that tells something and asks nothing
  ChooseWindowsFolder,  // the drive scan: "could not determine your Windows directory", OK or
                        // Cancel to choosing it by hand
  WindowsFolder,        // the picker that follows it: the drive's Windows folder
  SaveLocation,         // the save sequence: where the save folder goes
  FolderToScan,         // the other drives window: the folder to scan
};

// The title of every message box of the program.
inline constexpr const char* kTitle = "Quillfen";

class Service {
 public:
  virtual ~Service() = default;
  // A modal message box; any way of closing it but OK answers Cancel.
  virtual Answer Message(const std::string& text, const std::string& title, Icon icon,
                         Buttons buttons, Question question) = 0;
  // The folder picker: the chosen folder in Windows form (a drive root with its final "\",
  // any other folder without one), or empty text when nothing was chosen.
  virtual std::string PickFolder(const std::string& prompt, Question question) = 0;
  // Opens a path in the desktop's shell (the "open" verb); failures are ignored.
  virtual void OpenInShell(const std::string& path) = 0;
};

// The service that is current. Before any is installed, a silent one answers Cancel to every
// box and picks nothing, so nothing can happen without a user's answer.
Service& Current();

// Installs a service for the life of this object, then puts the previous one back.
class Scope {
 public:
  explicit Scope(Service& service);
  ~Scope();
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;

 private:
  Service* previous_;
};

// Shorthands over the current service.
Answer ShowMessage(const std::string& text, Icon icon, Buttons buttons = Buttons::Ok,
                   Question question = Question::None);

}  // namespace UserDialogs
