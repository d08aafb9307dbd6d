#pragma once
// The test machine's scripted dialogs (FakeDialogs), answered on the program's thread and
// read or set up on the test's: every call goes through one lock.
#include <mutex>
#include <string>

#include "support/FakeDialogs.h"
#include "system/UserDialogs.h"

namespace wintest {

class LockedDialogs final : public UserDialogs::Service {
 public:
  explicit LockedDialogs(testsupport::FakeDialogs& inner) : inner_(inner) {}

  UserDialogs::Answer Message(const std::string& text, const std::string& title,
                              UserDialogs::Icon icon, UserDialogs::Buttons buttons,
                              UserDialogs::Question question) override {
    std::lock_guard lock(mutex_);
    return inner_.Message(text, title, icon, buttons, question);
  }
  std::string PickFolder(const std::string& prompt, UserDialogs::Question question) override {
    std::lock_guard lock(mutex_);
    return inner_.PickFolder(prompt, question);
  }
  void OpenInShell(const std::string& path) override {
    std::lock_guard lock(mutex_);
    inner_.OpenInShell(path);
  }

  // Every call so far, as FakeDialogs records them ("box: ...", "pick: ...", "open: ...").
  std::vector<std::string> Calls() {
    std::lock_guard lock(mutex_);
    return inner_.calls;
  }
  std::vector<testsupport::FakeDialogs::Box> Boxes() {
    std::lock_guard lock(mutex_);
    return inner_.boxes;
  }

 private:
  testsupport::FakeDialogs& inner_;
  std::mutex mutex_;
  UserDialogs::Scope scope_{*this};  // installed for the life of this object
};

}  // namespace wintest
