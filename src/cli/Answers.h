#pragma once
// Every question the engine asks, answered from the command line, never from a person: the
// save place is DEST (F:\), the Windows folder of a drive is --windows-folder or Cancel. What
// a box says is kept for the summary; nothing is ever opened in a file manager.
#include <string>
#include <vector>

#include "system/UserDialogs.h"

namespace Cli {

class Answers final : public UserDialogs::Service {
 public:
  // `savePlace`: the folder the save-location picker answers ("F:\"), or empty text.
  // `windowsFolder`: the answer to a missing Windows folder, or empty text for Cancel.
  Answers(std::string savePlace, std::string windowsFolder);

  UserDialogs::Answer Message(const std::string& text, const std::string& title,
                              UserDialogs::Icon icon, UserDialogs::Buttons buttons,
                              UserDialogs::Question question) override;
  std::string PickFolder(const std::string& prompt, UserDialogs::Question question) override;
  void OpenInShell(const std::string&) override {}

  // What the boxes said that a person would have to read: refusals, failures, "nothing
  // found". The prompts and the success box are the summary's own business.
  const std::vector<std::string>& Told() const { return told_; }
  // Whether the Windows folder was asked for and not given.
  bool WindowsFolderRefused() const { return windowsFolderRefused_; }

 private:
  std::string savePlace_;
  std::string windowsFolder_;
  std::vector<std::string> told_;
  bool windowsFolderRefused_ = false;
};

}  // namespace Cli
