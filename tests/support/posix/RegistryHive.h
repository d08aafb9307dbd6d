#pragma once
// HKEY_LOCAL_MACHINE as the registry file of a Windows installation holds it, for tests of the
// POSIX host that read a disk's own registry: an NT SOFTWARE hive (which holds
// HKEY_LOCAL_MACHINE\Software alone) or a 9x SYSTEM.DAT (which holds all of it), written by
// the test support's writers.
#include <string>
#include <string_view>

#include "support/hive/HiveKey.h"

namespace testsupport {

class RegistryHive {
 public:
  enum class Kind { Nt, Win9x };
  explicit RegistryHive(Kind kind);

  // Where the file lies below a drive's root, in a Windows folder of that name.
  std::string PathIn(const std::string& windowsFolder = "WINDOWS") const;
  // A key of HKEY_LOCAL_MACHINE ("Software\Microsoft\Windows\CurrentVersion"; any other root
  // than Software is dropped by an NT hive), made where missing and named as written.
  hivefixture::HiveKey& Key(std::string_view machinePath);
  // A text value, encoded as the kind of file stores text (UTF-16LE in NT, 8-bit in 9x).
  RegistryHive& SetText(std::string_view machinePath, const std::string& name,
                        const std::string& text, std::uint32_t type = hivefixture::kRegSz);
  // The file's bytes.
  std::string Bytes() const;

  Kind kind() const { return kind_; }

 private:
  Kind kind_;
  hivefixture::HiveKey root_;
};

inline constexpr const char* kCurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";

}  // namespace testsupport
