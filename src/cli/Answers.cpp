#include "cli/Answers.h"

namespace Cli {

using UserDialogs::Answer;

Answers::Answers(std::string savePlace, std::string windowsFolder)
    : savePlace_(std::move(savePlace)), windowsFolder_(std::move(windowsFolder)) {}

Answer Answers::Message(const std::string& text, const std::string&, UserDialogs::Icon icon,
                        UserDialogs::Buttons, UserDialogs::Question question) {
  if (question == UserDialogs::Question::ChooseWindowsFolder) {
    windowsFolderRefused_ = windowsFolder_.empty();
    return windowsFolderRefused_ ? Answer::Cancel : Answer::Ok;
  }
  if (icon != UserDialogs::Icon::Information) told_.push_back(text);
  return Answer::Ok;
}

std::string Answers::PickFolder(const std::string&, UserDialogs::Question question) {
  switch (question) {
    case UserDialogs::Question::WindowsFolder: return windowsFolder_;
    case UserDialogs::Question::SaveLocation: return savePlace_;
    default: return {};  // nothing else is asked of a terminal
  }
}

}  // namespace Cli
