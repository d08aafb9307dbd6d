#pragma once
// The save folder CVL_SAVE, its README.TXT, and the save sequence of the folder and drive
// scans.
#include <string>
#include <vector>

#include "scan/ScanSources.h"

namespace SaveFolder {

inline constexpr const char* kSaveFolderName = "CVL_SAVE";
inline constexpr const char* kReadmeName = "README.TXT";
inline constexpr int kReadmeResource = 101;

// Writes README.TXT into the save folder (no trailing separator). Returns false when it could
// not be written; callers go on either way.
bool WriteReadme(const std::string& saveFolder);
// Writes the bytes of a built-in resource (101: the README text) to a file, whole.
bool SaveResourceToFile(int resourceId, const std::string& path);
// The save sequence: report an empty list, ask where to save, make CVL_SAVE and V4 there,
// copy, write README.TXT, confirm and open the folder.
void SaveFoundFiles(const std::vector<std::string>& foundFiles);
// The same for what a scan found: each of its folders that exists is copied whole into
// CVL_SAVE under its last path component (they count as something found), and the failures
// the scan met are reported with those of the save, in one box.
void SaveFoundFiles(const ScanSources::Finds& finds);

}  // namespace SaveFolder
