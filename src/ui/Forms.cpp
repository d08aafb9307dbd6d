#include "ui/FormFactories.h"
#include "ui/FormNames.h"

namespace ui {

const ControlRow* FormTable::Find(const std::string& controlName) const {
  for (const ControlRow& control : controls)
    if (control.name == controlName) return &control;
  return nullptr;
}

std::unique_ptr<Form> MakeForm(const std::string& name) {
  if (name == kBeginForm) return MakeBeginForm();
  if (name == kLocalScanForm) return MakeLocalScanForm();
  if (name == kCheckForm) return MakeCheckForm();
  if (name == kScanOptionsForm) return MakeScanOptionsForm();
  if (name == kOtherForm) return MakeOtherForm();
  if (name == kAboutForm) return MakeAboutForm();
  return nullptr;
}

}  // namespace ui
