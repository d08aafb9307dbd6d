#pragma once
// The three scans.
#include <string>

#include "scan/ScreenPorts.h"

namespace ScanProcess {

// What the local-scan window writes into the console before each scan, after a time stamp.
inline constexpr const char* kScanStarted = " - A new scan has been started.";

// Scans this computer into CVL_SAVE on the system drive, logging every step in the console;
// makes openFolderButton visible when files were saved; always unloads progressWindow.
// A save folder given (in Windows form, its parent existing) takes the place of CVL_SAVE on
// the system drive, for a system drive that is mounted read-only.
void ScanLocalComputer(ScreenPorts::TextBox& console, ScreenPorts::Window& progressWindow,
                       ScreenPorts::Showable& openFolderButton, const std::string& saveFolder = {});
// Scans the files directly in one folder and hands them to the save sequence.
void ScanFolder(const std::string& folder);
// Scans another drive's Windows installation (only the first two characters of `driveText`,
// the letter and colon, are used) and hands what it found to the save sequence.
void ScanDrive(const std::string& driveText);
// The drive's WINNT or WINDOWS folder, or one the user picks, ending in "\"; empty text when
// there is none or the user declined.
std::string FindWindowsFolder(const std::string& driveRoot);

}  // namespace ScanProcess
