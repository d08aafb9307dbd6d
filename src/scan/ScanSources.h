#pragma once
// Where the scans look: the visible files directly in a folder, the ones among them that
// qualify, and the age rule for whole folders (OfficeUpdate, WUTemp). A folder that exists but
// cannot be read is a failure the scans say, never an empty folder.
#include <string>
#include <vector>

namespace ScanSources {

using NameTest = bool (*)(const std::string& fileName);

// What the folder and drive scans found: files and whole folders to save, and what could not
// be read while looking, which the save sequence reports: folders that could not be listed,
// and wanted files whose date could not be read (never taken as old, never found).
struct Finds {
  std::vector<std::string> files;
  std::vector<std::string> folders;
  std::vector<std::string> unreadable;
  std::vector<std::string> undated;
};

// Bare names of the files directly in a folder that are neither hidden nor system, in the
// order the file system lists them. Subfolders are not listed; a missing folder lists
// nothing; a folder that cannot be read lists nothing and is added to `unreadable`.
std::vector<std::string> VisibleFiles(const std::string& folder,
                                      std::vector<std::string>& unreadable);

// Appends to `finds.files` the full path of every visible file directly in `folder` whose
// name passes `wanted` and which is not newer than the age limit, in listing order; such a
// file whose date cannot be read goes to `finds.undated`.
void CollectQualifying(const std::string& folder, NameTest wanted, Finds& finds);

// A whole folder is worth copying when it exists, was last changed before the age limit's
// year (a folder of that year is already too new) and holds files: at any depth, or only
// at its root when countSubfolders is false. When it holds no file that could be seen but a
// folder of it could not be read, `unreadable` names that folder.
struct FolderVerdict {
  bool qualifies = false;
  std::string unreadable;
};
FolderVerdict JudgeFolder(const std::string& folder, bool countSubfolders);

}  // namespace ScanSources
