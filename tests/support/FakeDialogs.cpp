#include "support/FakeDialogs.h"

namespace testsupport {

namespace {

template <typename T>
T Next(std::deque<T>& queue, T otherwise) {
  if (queue.empty()) return otherwise;
  T next = queue.front();
  queue.pop_front();
  return next;
}

}  // namespace

UserDialogs::Answer FakeDialogs::Message(const std::string& text, const std::string& title,
                                         UserDialogs::Icon icon, UserDialogs::Buttons buttons,
                                         UserDialogs::Question question) {
  boxes.push_back({text, title, icon, buttons});
  calls.push_back("box: " + text);
  return Next(answers[question], UserDialogs::Answer::Ok);
}

std::string FakeDialogs::PickFolder(const std::string& prompt, UserDialogs::Question question) {
  pickerPrompts.push_back(prompt);
  calls.push_back("pick: " + prompt);
  return Next(picks[question], std::string());
}

void FakeDialogs::OpenInShell(const std::string& path) {
  opened.push_back(path);
  calls.push_back("open: " + path);
}

}  // namespace testsupport
