#include "cli/Answers.h"

namespace Cli {

using UserDialogs::Answer;

Answers::Answers(std::string savePlace, std::string windowsFolder)
    : savePlace_(std::move(savePlace)), windowsFolder_(std::move(windowsFolder)) {}

Answer Answers::Message(const std::string& text, const std::string&, UserDialogs::Icon icon,
                        UserDialogs::Buttons buttons) {
  // The one question with a choice: whether to pick the Windows folder by hand.
  if (buttons == UserDialogs::Buttons::OkCancel) {
    if (windowsFolder_.empty()) {
      windowsFolderRefused_ = true;
      return Answer::Cancel;
    }
    windowsFolderAsked_ = true;
    return Answer::Ok;
  }
  if (icon != UserDialogs::Icon::Information) told_.push_back(text);
  return Answer::Ok;
}

std::string Answers::PickFolder(const std::string&) {
  // The Windows-folder picker follows its question at once; any other picker asks for the
  // save place.
  if (windowsFolderAsked_) {
    windowsFolderAsked_ = false;
    return windowsFolder_;
  }
  return savePlace_;
}

}  // namespace Cli
