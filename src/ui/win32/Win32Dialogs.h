#pragma once
// The user-dialog service of the Windows program: MessageBoxA, the shell's folder picker
// (SHBrowseForFolderA) and the shell's "open" (ShellExecuteA). Install it with
// UserDialogs::Scope.
#include "system/UserDialogs.h"

namespace Win32Ui {

class Win32Dialogs final : public UserDialogs::Service {
 public:
  UserDialogs::Answer Message(const std::string& text, const std::string& title,
                              UserDialogs::Icon icon, UserDialogs::Buttons buttons,
                              UserDialogs::Question) override;
  // The chosen folder: a drive root with its final "\", any other folder without one; empty
  // when cancelled or when the choice is no folder of the file system.
  std::string PickFolder(const std::string& prompt, UserDialogs::Question) override;
  void OpenInShell(const std::string& path) override;
};

}  // namespace Win32Ui
