// A scratch key under HKEY_CURRENT_USER standing in for HKEY_LOCAL_MACHINE.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600  // RegOverridePredefKey (2000), RegDeleteTree (Vista): tests only
#include <windows.h>

#include <stdexcept>

#include "support/MachineRegistry.h"

namespace testsupport {
namespace {

constexpr const char* kStandIn = "Software\\Quillfen tests\\Machine";
constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

MachineRegistry::MachineRegistry(const TempTree& tree) : tree_(tree) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kStandIn);  // left by a run that did not end
  HKEY standIn;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kStandIn, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &standIn, nullptr) != ERROR_SUCCESS ||
      RegOverridePredefKey(HKEY_LOCAL_MACHINE, standIn) != ERROR_SUCCESS)
    throw std::runtime_error("cannot set up the registry stand-in");
  hostState_ = standIn;
  Store();
}

MachineRegistry::~MachineRegistry() {
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegCloseKey(static_cast<HKEY>(hostState_));
  RegDeleteTreeA(HKEY_CURRENT_USER, kStandIn);
}

void MachineRegistry::Store() {
  const HKEY standIn = static_cast<HKEY>(hostState_);
  RegDeleteTreeA(standIn, "Software");
  if (!keyExists_) return;
  HKEY key;
  if (RegCreateKeyExA(standIn, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot make the stand-in key");
  for (const auto& [name, value] : values_) {
    RegSetValueExA(key, name.c_str(), 0, value.expandable ? REG_EXPAND_SZ : REG_SZ,
                   reinterpret_cast<const BYTE*>(value.text.c_str()),
                   static_cast<DWORD>(value.text.size() + 1));
  }
  RegCloseKey(key);
}

}  // namespace testsupport
