#include "support/FakeDialogs.h"

namespace testsupport {

UserDialogs::Answer FakeDialogs::Message(const std::string& text, const std::string& title,
                                         UserDialogs::Icon icon, UserDialogs::Buttons buttons) {
  boxes.push_back({text, title, icon, buttons});
  calls.push_back("box: " + text);
  if (answers.empty()) return UserDialogs::Answer::Ok;
  UserDialogs::Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::string FakeDialogs::PickFolder(const std::string& prompt) {
  pickerPrompts.push_back(prompt);
  calls.push_back("pick: " + prompt);
  if (pickedFolders.empty()) return {};
  std::string folder = pickedFolders.front();
  pickedFolders.pop_front();
  return folder;
}

void FakeDialogs::OpenInShell(const std::string& path) {
  opened.push_back(path);
  calls.push_back("open: " + path);
}

}  // namespace testsupport
