#pragma once
// How the program names an operation that failed: the local scan writes these as console
// lines, the save sequence lists them in its error box. One wording for both.
namespace FailureText {

inline constexpr const char* kCopyFile = "Could not copy file: ";
inline constexpr const char* kMakeFolder = "Could not create directory: ";
inline constexpr const char* kRemoveFolder = "Could not remove directory: ";
// A folder that exists but cannot be listed: whatever it holds is not seen.
inline constexpr const char* kReadFolder = "Could not read directory: ";
// A file that is there but whose date cannot be read: it is neither taken as old nor found.
inline constexpr const char* kReadDate = "Could not read the date of: ";
// An older file of the save folder (README.TXT) that could not be replaced, and so stays.
inline constexpr const char* kReplaceFile = "Could not replace file: ";
// Follows kCopyFile and the file: a file that Windows would take for one saved already in the
// same run (the names differ only in case) never replaces it.
inline constexpr const char* kCaseTwin =
    " (its name differs only in case from a file saved already)";

// Another scan (another window, another program) is saving into the same save folder, and
// went on for longer than a save waits.
inline constexpr const char* kFolderInUse = "Another scan is saving into ";
inline constexpr const char* kFolderInUseEnd = " at this moment.";

}  // namespace FailureText
