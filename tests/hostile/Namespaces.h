#pragma once
// Cases that need mounts of their own (bind mounts of /proc, /sys and /dev files, a procfs
// mounted inside a disk) run in a child process with a private mount namespace: as root a
// plain one, otherwise inside a user namespace of its own. The parent's mounts never change.
#include <functional>
#include <string>

namespace hostile {

// Runs `body` in a child with a private mount namespace. The child's gtest failures, and a
// crash, fail the case. Returns false with `why` filled when the kernel allows neither kind of
// namespace here; the caller then skips the case with that reason.
bool WithPrivateMounts(const std::function<void()>& body, std::string& why);

// A bind mount of `source` (a file or a folder) onto `target`, which must exist and be of the
// same kind; inside WithPrivateMounts only.
bool Bind(const std::string& source, const std::string& target);

}  // namespace hostile
