#pragma once
// A scripted user-dialog service: answers from queues, records every call.
#include <deque>
#include <string>
#include <vector>

#include "system/UserDialogs.h"

namespace testsupport {

class FakeDialogs : public UserDialogs::Service {
 public:
  struct Box {
    std::string text;
    std::string title;
    UserDialogs::Icon icon;
    UserDialogs::Buttons buttons;
  };

  // Answers for the coming boxes and pickers, in order. With the queue empty a box answers
  // OK and a picker answers empty text (cancelled).
  std::deque<UserDialogs::Answer> answers;
  std::deque<std::string> pickedFolders;

  // What was asked, in order.
  std::vector<Box> boxes;
  std::vector<std::string> pickerPrompts;
  std::vector<std::string> opened;
  // Every call in order, as "box: <text>", "pick: <prompt>", "open: <path>".
  std::vector<std::string> calls;

  UserDialogs::Answer Message(const std::string& text, const std::string& title,
                              UserDialogs::Icon icon, UserDialogs::Buttons buttons) override;
  std::string PickFolder(const std::string& prompt) override;
  void OpenInShell(const std::string& path) override;

 private:
  UserDialogs::Scope scope_{*this};  // installed for the life of the fake
};

}  // namespace testsupport
