#include "support/StillForms.h"

#include <utility>

namespace testsupport {
namespace {

class StillForm final : public ui::Form {
 public:
  StillForm(std::unique_ptr<ui::Form> inner, PressLog* presses)
      : inner_(std::move(inner)), presses_(presses) {}
  const ui::FormTable& Table() const override { return inner_->Table(); }
  void OnLoad(ui::Toolkit& tk) override { inner_->OnLoad(tk); }
  void OnClick(ui::Toolkit&, const std::string& control) override {
    if (presses_) presses_->Add(control);
  }

 private:
  std::unique_ptr<ui::Form> inner_;
  PressLog* presses_;
};

}  // namespace

void PressLog::Add(const std::string& press) {
  std::lock_guard lock(mutex_);
  presses_.push_back(press);
}

std::vector<std::string> PressLog::Take() {
  std::lock_guard lock(mutex_);
  return std::exchange(presses_, {});
}

FormMaker StillForms(PressLog* presses) {
  return [presses](const std::string& name) -> std::unique_ptr<ui::Form> {
    auto form = ui::MakeForm(name);
    return form ? std::make_unique<StillForm>(std::move(form), presses) : nullptr;
  };
}

}  // namespace testsupport
