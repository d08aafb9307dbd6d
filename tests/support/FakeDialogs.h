#pragma once
// A scripted user-dialog service: answers from queues, records every call.
#include <deque>
#include <map>
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

  // Answers by question, each question's in the order it is asked. A box whose question has
  // none left answers OK, a picker answers empty text (cancelled).
  std::map<UserDialogs::Question, std::deque<UserDialogs::Answer>> answers;
  std::map<UserDialogs::Question, std::deque<std::string>> picks;
  // The save place the save sequence's picker answers, the commonest question.
  void SaveInto(std::initializer_list<std::string> folders) {
    picks[UserDialogs::Question::SaveLocation] = folders;
  }

  // What was asked, in order.
  std::vector<Box> boxes;
  std::vector<std::string> pickerPrompts;
  std::vector<std::string> opened;
  // Every call in order, as "box: <text>", "pick: <prompt>", "open: <path>".
  std::vector<std::string> calls;

  UserDialogs::Answer Message(const std::string& text, const std::string& title,
                              UserDialogs::Icon icon, UserDialogs::Buttons buttons,
                              UserDialogs::Question question) override;
  std::string PickFolder(const std::string& prompt, UserDialogs::Question question) override;
  void OpenInShell(const std::string& path) override;

 private:
  UserDialogs::Scope scope_{*this};  // installed for the life of the fake
};

}  // namespace testsupport
