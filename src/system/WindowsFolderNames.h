#pragma once
// The names the Windows folder has at the top of a system drive, in the order they are looked
// for: a drive that holds both is taken for the NT installation (WINNT). The drive scan and the
// POSIX host's own windir look alike.
namespace WindowsFolderNames {

inline constexpr const char* kNames[] = {"WINNT", "WINDOWS"};

}  // namespace WindowsFolderNames
