#pragma once
// The registry files of a Windows installation on a drive: what the POSIX host reads as
// HKEY_LOCAL_MACHINE when no export is named.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "hive/HiveLookup.h"
#include "system/posix/OpenedFile.h"

namespace PosixHost {

struct HiveFile {
  OpenedFile file;
  HiveLookup::Kind kind;
};

// The registry of the Windows folder `windowsFolder` (Windows form, "C:\WINDOWS"): its NT
// SOFTWARE hive (system32\config\SOFTWARE, as NT 4.0 to Server 2003 keep it) when that is
// there, else its 9x SYSTEM.DAT; each name found without regard to case. The file there is
// opened once, and only as a regular file that is not empty; nullopt when neither is there or
// the one there cannot be opened so.
std::shared_ptr<const HiveFile> OpenHiveFile(const std::string& windowsFolder);

// Where a key of HKEY_LOCAL_MACHINE ("Software\Microsoft", in any case) lies in such a file:
// SOFTWARE holds HKEY_LOCAL_MACHINE\Software alone, as its root; SYSTEM.DAT holds all of
// HKEY_LOCAL_MACHINE. nullopt for a key the file does not hold.
std::optional<std::string> PathInHive(HiveLookup::Kind kind, std::string_view machineKey);

}  // namespace PosixHost
