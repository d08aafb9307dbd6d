// The registry as an export file, the way the POSIX host reads it.
#include <cstdio>

#include "support/HostGuard.h"
#include "support/MachineRegistry.h"

namespace testsupport {
namespace {

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// REG_EXPAND_SZ is written as hex(2): the text's bytes and its NUL.
std::string HexText(const std::string& text) {
  std::string hex = "hex(2):";
  char byte[4];
  for (unsigned char c : text + '\0') {
    std::snprintf(byte, sizeof byte, "%02x,", c);
    hex += byte;
  }
  hex.pop_back();
  return hex;
}

}  // namespace

MachineRegistry::MachineRegistry(const TempTree& tree) : tree_(tree) {
  Store();
  hostState_ = new HostGuard(HostGuard::Setting::Registry, tree_.Path("machine.reg").c_str());
}

MachineRegistry::~MachineRegistry() { delete static_cast<HostGuard*>(hostState_); }

void MachineRegistry::Store() {
  std::string text = "REGEDIT4\r\n\r\n";
  if (keyExists_) {
    text += "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\r\n";
    for (const auto& [name, value] : values_) {
      text += "\"" + Escaped(name) + "\"=" +
              (value.expandable ? HexText(value.text) : "\"" + Escaped(value.text) + "\"") + "\r\n";
    }
  }
  tree_.File("machine.reg", text);
}

}  // namespace testsupport
