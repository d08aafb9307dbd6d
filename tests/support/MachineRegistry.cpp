#include "support/MachineRegistry.h"

namespace testsupport {

void MachineRegistry::SetText(const std::string& name, const std::string& value, bool expandable) {
  keyExists_ = true;
  values_[name] = {value, expandable};
  Store();
}

void MachineRegistry::RemoveValue(const std::string& name) {
  values_.erase(name);
  Store();
}

void MachineRegistry::RemoveKey() {
  keyExists_ = false;
  values_.clear();
  Store();
}

}  // namespace testsupport
