#pragma once
// How the scans name a single file operation that failed: the local scan writes these as
// console lines, the save sequence lists them in its error box. One wording for both.
namespace FailureText {

inline constexpr const char* kCopyFile = "Could not copy file: ";
// CopyFolder goes on past a failure, so part of the tree may have been copied.
inline constexpr const char* kCopyFolder = "Could not copy directory completely: ";
inline constexpr const char* kMakeFolder = "Could not create directory: ";
inline constexpr const char* kRemoveFolder = "Could not remove directory: ";

}  // namespace FailureText
