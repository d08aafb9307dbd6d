#include "system/UserDialogs.h"

namespace UserDialogs {
namespace {

class Silent final : public Service {
 public:
  Answer Message(const std::string&, const std::string&, Icon, Buttons, Question) override {
    return Answer::Cancel;
  }
  std::string PickFolder(const std::string&, Question) override { return {}; }
  void OpenInShell(const std::string&) override {}
};

Service*& CurrentSlot() {
  static Silent silent;
  static Service* current = &silent;
  return current;
}

}  // namespace

Service& Current() { return *CurrentSlot(); }

Scope::Scope(Service& service) : previous_(CurrentSlot()) { CurrentSlot() = &service; }
Scope::~Scope() { CurrentSlot() = previous_; }

Answer ShowMessage(const std::string& text, Icon icon, Buttons buttons, Question question) {
  return Current().Message(text, kTitle, icon, buttons, question);
}

}  // namespace UserDialogs
