#pragma once
// Facts about the Windows installation the program runs on or looks at.
#include <string>

#include "system/WindowsApi.h"

namespace WindowsTools {

// The name of the running Windows version.
std::string GetOSName();
// The name the version table gives a version record.
std::string OSNameFor(const WindowsApi::VersionRecord& record);
// The system drive letter: the first character of "windir", or empty text.
std::string GetSystemDrive();
// The first of the localized Program Files names that exists as a folder under `root`
// ("d:\"), as root & name; empty text when none does.
std::string FindProgramFilesFolder(const std::string& root);
// The text up to its first NUL character.
std::string TrimAtNull(const std::string& text);

}  // namespace WindowsTools
