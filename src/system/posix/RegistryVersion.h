#pragma once
// The version record as the registry of the Windows the host shows gives it, for a machine
// without QUILLFEN_WINVER.
#include "system/WindowsApi.h"

namespace PosixHost {

// NT: the key "Software\Microsoft\Windows NT\CurrentVersion", its values CurrentVersion
// ("5.1") and CSDVersion ("Service Pack 3"): platform 2. Else 9x: the key
// "Software\Microsoft\Windows\CurrentVersion", its values VersionNumber ("4.10.2222") and
// SubVersionNumber (" A "): platform 1. False, and the record left alone, when neither can be
// read.
bool VersionFromRegistry(WindowsApi::VersionRecord& record);

}  // namespace PosixHost
