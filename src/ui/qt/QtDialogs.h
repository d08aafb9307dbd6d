#pragma once
// The user-dialog service of the Qt program: real message boxes, the folder dialog and the
// desktop's opener. Install it with UserDialogs::Scope.
#include "system/UserDialogs.h"

namespace QtUi {

class QtDialogs final : public UserDialogs::Service {
 public:
  UserDialogs::Answer Message(const std::string& text, const std::string& title,
                              UserDialogs::Icon icon, UserDialogs::Buttons buttons,
                              UserDialogs::Question) override;
  // The chosen folder in Windows form; empty when cancelled. A folder on no drive is refused
  // with a box, and the picker stays open for another choice.
  std::string PickFolder(const std::string& prompt, UserDialogs::Question) override;
  void OpenInShell(const std::string& path) override;
};

}  // namespace QtUi
