#pragma once
// The POSIX host's mapping between Windows paths and the real file system, for the parts of
// the Linux build that meet real POSIX paths (the folder picker, the shell opener).
#include <optional>
#include <string>

namespace PosixHost {

// The POSIX path a Windows path names, each component found exactly first, then without
// regard to ASCII case; a component that exists nowhere is kept as written. nullopt when the
// path's drive is not in the drive table or the path is not absolute.
std::optional<std::string> ToNativePath(const std::string& windowsPath);

// A POSIX path in Windows form, through the drive that holds it (longest mount prefix); a
// drive root keeps its final "\". Empty text when no drive holds it.
std::string ToWindowsPath(const std::string& nativePath);

}  // namespace PosixHost
