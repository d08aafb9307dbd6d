#pragma once
// What the Win32 host's calls share: the 8-bit calls of Windows 95 to Server 2003.
#include <windows.h>

#include <string>

#include "system/WindowsApi.h"

namespace Win32Host {

// Windows 95, 98 and Me: no folder handles, no MoveFileEx, no reparse points.
bool IsWindows9x();

// A kernel32 call that not every Windows has (an NT-only one, or one later than Windows 95);
// nullptr where it is missing. Loaded by name, so the program still starts where it is not.
template <typename Function>
Function OptionalKernelCall(const char* name) {
  // void (*)() is the generic function pointer: the casts through it are not warned about.
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// Turns the "drive not ready" box off before the first call that can touch a drive, so an
// empty floppy or CD drive fails quietly instead of stopping the scan with a question.
void QuietDriveErrors();

// A path that one entry of the 8-bit calls can stand for: not empty, shorter than MAX_PATH
// (longer ones fail, or are cut short by Windows 95), and free of "*" and "?". A name that the
// code page cannot carry comes back from a listing holding "?"; such a path must never be read
// as a pattern that reaches other files.
bool IsUsablePath(const std::string& path);

bool IsSeparator(char c);
// "C:", "C:\" or "C:/".
bool IsDriveRoot(const std::string& path);
// The path without its trailing separators, a drive root keeping its own ("C:\").
std::string WithoutTrailingSeparators(const std::string& path);
// Everything up to and including the last separator ("C:\a\b.txt" -> "C:\a\"); empty when
// there is none.
std::string FolderOf(const std::string& path);

// A file time in local time, converted as the platform's own file-date functions do it:
// FileTimeToLocalFileTime applies today's daylight-saving offset to every date (the POSIX host
// uses the offset in force on the date itself). Zero fields when the time cannot be converted.
WindowsApi::LocalTime ToLocalTime(const FILETIME& time);

}  // namespace Win32Host
