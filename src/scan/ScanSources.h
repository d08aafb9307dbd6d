#pragma once
// Where the scans look: the visible files directly in a folder, the ones among them that
// qualify, and the age rule for whole folders (OfficeUpdate, WUTemp).
#include <string>
#include <vector>

namespace ScanSources {

using NameTest = bool (*)(const std::string& fileName);

// Bare names of the files directly in a folder that are neither hidden nor system, in the
// order the file system lists them. Subfolders are not listed; a missing folder lists
// nothing.
std::vector<std::string> VisibleFiles(const std::string& folder);

// Appends to `found` the full path of every visible file directly in `folder` whose name
// passes `wanted` and which is not newer than the age limit, in listing order.
void CollectQualifying(const std::string& folder, NameTest wanted,
                       std::vector<std::string>& found);

// A whole folder is worth copying when it exists, was last changed before the age limit's
// year (a folder of that year is already too new) and holds files: at any depth, or only
// at its root when countSubfolders is false.
bool FolderQualifies(const std::string& folder, bool countSubfolders);

}  // namespace ScanSources
