#pragma once
// What the POSIX host is told to show as a Windows machine: which folders are which drives, the
// registry, the Windows folder and the version. One state, one way to set it: the windows read
// it from the environment once, at start (QUILLFEN_DRIVES, QUILLFEN_REGISTRY, windir,
// QUILLFEN_WINVER); quillfen-scan builds it from its options; tests set it the same way. On
// Windows the machine says all of this itself: the Win32 host reads none of it (its windir is
// the environment's, as Windows keeps it).
#include <optional>
#include <string>

namespace HostSettings {

struct Settings {
  // "C=/srv/win98;D=/media/old": exactly these drives. None: the machine's mounts.
  std::optional<std::string> drives;
  // A registry export file. None: the registry files of the Windows on C:.
  std::optional<std::string> registry;
  // The Windows folder ("C:\WINDOWS"). None: the WINNT or WINDOWS folder at the top of C:.
  std::optional<std::string> windir;
  // The version record, "<platform>.<major>.<minor>[:<service pack>]". None: the registry's.
  std::optional<std::string> version;
};

// What the environment gives.
Settings FromEnvironment();
// What the host shows from now on.
void Use(const Settings& settings);
// What it shows now: what Use set last; before any call, what the environment gave when the
// host first asked.
const Settings& Current();

}  // namespace HostSettings
