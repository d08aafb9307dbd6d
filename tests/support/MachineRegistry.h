#pragma once
// HKEY_LOCAL_MACHINE as a test sets it up, for the life of the object: it holds the key
// "Software\Microsoft\Windows\CurrentVersion" with the values set here. On the POSIX host it
// is the export file that QUILLFEN_REGISTRY names (kept in the tree as "machine.reg"); on
// Windows a scratch key under HKEY_CURRENT_USER stands in for the hive (RegOverridePredefKey),
// so the machine's own keys are never touched.
#include <map>
#include <string>

#include "support/TempTree.h"

namespace testsupport {

class MachineRegistry {
 public:
  explicit MachineRegistry(const TempTree& tree);
  ~MachineRegistry();
  MachineRegistry(const MachineRegistry&) = delete;
  MachineRegistry& operator=(const MachineRegistry&) = delete;

  // A text value: REG_SZ, or REG_EXPAND_SZ when expandable. Makes the key again if removed.
  void SetText(const std::string& name, const std::string& value, bool expandable = false);
  void RemoveValue(const std::string& name);
  // The key is gone: opening it fails.
  void RemoveKey();

 private:
  struct Value {
    std::string text;
    bool expandable;
  };
  // Writes what the key holds now where the host reads it.
  void Store();

  const TempTree& tree_;
  bool keyExists_ = true;
  std::map<std::string, Value> values_;
  void* hostState_ = nullptr;  // the host's own handle on its stand-in, if it needs one
};

}  // namespace testsupport
