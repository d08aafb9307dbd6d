#pragma once
// Cases that need mounts of their own (bind mounts of the machine's files, a procfs inside a
// disk, a disk that ignores case) run in a child
// process with a private mount namespace: its own as root, or one inside a new user namespace
// where root is not available. The mounts go with the child; nothing outside it sees them.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/posix/ChildProcess.h"

namespace testsupport {

class MountSpace {
 public:
  // A bind mount of the folder `from` on the folder `to` (absolute paths).
  void Bind(const std::string& from, const std::string& to);
  // A fresh, empty tmpfs on the folder `at`.
  void Tmpfs(const std::string& at);
  // A procfs of its own on the folder `at` where the kernel allows one, else the machine's
  // /proc bound there.
  void ProcFs(const std::string& at);
  // The NTFS image on the folder `at`, its names looked up without regard to case, as a Windows
  // disk is often mounted (lowntfs-3g -o ignore_case).
  void CaseInsensitiveNtfs(const std::string& image, const std::string& at);
  // Ends the case as not run, with the reason: a mount this kernel or machine does not allow.
  [[noreturn]] void Unavailable(const std::string& reason);
  // Unmounts everything, the last mount first.
  void Clear();

  int report = -1;  // where the reason for not running goes

 private:
  void Mount(const char* source, const std::string& at, const char* type, unsigned long flags);
  std::vector<std::string> mounted_;
};

// Runs `body` in a child with its own mount namespace; its failures fail the case. Returns why
// the case could not run ("not run: ..."; no private mount namespace is allowed, or a mount it
// needs), or nullopt when it ran.
std::optional<std::string> InPrivateMounts(const std::function<void(MountSpace&)>& body);

}  // namespace testsupport
