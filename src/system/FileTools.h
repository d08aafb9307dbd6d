#pragma once
// File and folder operations every scan and several windows use. Stateless: each call
// stands alone, and none disturbs a listing its caller is walking.
#include <cstdint>
#include <string>
#include <vector>

#include "system/UserDialogs.h"
#include "system/WindowsApi.h"

namespace FileTools {

// The pattern listing with an attribute mask: only entries with neither the hidden nor the
// system attribute; Files returns files only, FilesAndFolders also folders ("." included).
// A pattern ending in "\" lists that folder's contents.
enum class Mask { Files, FilesAndFolders };
std::vector<WindowsApi::FindData> ListVisible(const std::string& pattern, Mask mask);

// The visible entries directly in a folder ("." and ".." left out). A missing folder holds
// nothing. A folder that exists but cannot be listed is Unreadable, never empty: any folder
// but a drive root lists "." and "..", so a listing that returns nothing there has failed.
enum class Read { Listed, Missing, Unreadable };
Read ReadFolder(const std::string& folder, Mask mask, std::vector<WindowsApi::FindData>& entries);

// True when the path (wildcards allowed) names an existing, visible file.
bool FileExists(const std::string& path);
// True when the path names an existing folder (hidden and system ones too).
bool FolderExists(const std::string& path);
// Files in a folder (hidden and system ones too), recursing into subfolders when asked;
// -1 when the folder does not exist, 0 when it cannot be listed. The count is a 32-bit
// integer, so it never wraps for any tree a disk can hold.
int CountFiles(const std::string& folder, bool recurse);
// The same count, and the first folder of the tree that could not be listed (without a final
// "\"; empty when every folder was), so that "cannot be read" is never taken for "empty".
struct FileCount {
  int files = 0;
  std::string unreadable;
};
FileCount CountFilesIn(const std::string& folder, bool recurse);
// Year of a folder's last modification in local time; -1 when missing or on any failure.
int FolderYear(const std::string& folder);
// Year of a file's last modification in local time; -1 when the file is missing, hidden,
// system or a folder.
int FileYear(const std::string& path);
// The same year, telling apart a file that is there but whose date cannot be read (a path too
// long for the 8-bit calls): FileYear gives -1 for it too, which the age rule would take as old.
struct FileDate {
  int year = -1;
  bool unreadable = false;
};
FileDate ReadFileYear(const std::string& path);
// Copies a folder tree (visible entries only), replacing files of the same name. Goes on
// past a failure; when anything could not be made, read or copied it shows one
// "Error copying directory" box and returns false. (FolderCopy.cpp, with the copy as a step of
// a larger run.)
bool CopyFolder(const std::string& source, const std::string& destination);
// Opens a path in the desktop's shell; the outcome is not examined.
void OpenInShell(const std::string& path);
// The folder picker (every caller passes owner 0): the chosen folder, or empty text.
// `question` says which of the program's questions it answers.
std::string BrowseForFolder(long owner, const std::string& prompt, UserDialogs::Question question);
// The part after the last "\" (the whole path when it holds none).
std::string LastPathPart(const std::string& path);
// This computer's Program Files folder from the registry, or "(Error opening key)" /
// "(Failed to read value)". (ProgramFilesDir.cpp)
std::string GetProgramFilesDir();
// Whether listed attributes are a folder's (and not the invalid ones of a failed call).
bool IsFolderAttributes(std::uint32_t attributes);

}  // namespace FileTools
