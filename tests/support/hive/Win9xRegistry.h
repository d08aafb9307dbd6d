#pragma once
// A minimal Windows 95/98/Me registry file ("CREG", as SYSTEM.DAT in the Windows folder)
// holding a tree of keys.
#include <string>

#include "support/hive/HiveKey.h"

namespace hivefixture {

// The whole file: its header, the key navigation record (one entry per key: parent, first
// subkey, next sibling) and one data block with each key's name and values. `root` stands for
// the file's root (HKEY_LOCAL_MACHINE for SYSTEM.DAT); its own name is not written.
std::string WriteWin9xRegistry(const HiveKey& root);

}  // namespace hivefixture
