#pragma once
// One maker per window; MakeForm picks among them by name.
#include <memory>

#include "ui/Form.h"

namespace ui {

std::unique_ptr<Form> MakeBeginForm();
std::unique_ptr<Form> MakeLocalScanForm();
std::unique_ptr<Form> MakeCheckForm();
std::unique_ptr<Form> MakeScanOptionsForm();
std::unique_ptr<Form> MakeOtherForm();
std::unique_ptr<Form> MakeAboutForm();

}  // namespace ui
