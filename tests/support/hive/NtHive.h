#pragma once
// A minimal NT registry hive file ("regf", as Windows NT 4.0 to Server 2003 keep SOFTWARE and
// the other hives in system32\config) holding a tree of keys.
#include <string>

#include "support/hive/HiveKey.h"

namespace hivefixture {

// The whole file: a 4096-byte base block, then one hive bin of 4096-byte pages holding the
// keys, their values and a security record shared by all keys. `root` is the hive's root key
// (SOFTWARE's stands for HKEY_LOCAL_MACHINE\Software); its name is kept as given.
std::string WriteNtHive(const HiveKey& root);

}  // namespace hivefixture
