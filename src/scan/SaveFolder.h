#pragma once
// The save folder CVL_SAVE, its README.TXT, and the save sequence of the folder and drive
// scans.
#include <string>
#include <vector>

#include "scan/ScanSources.h"
#include "system/CopyRun.h"

namespace SaveFolder {

inline constexpr const char* kSaveFolderName = "CVL_SAVE";
inline constexpr const char* kReadmeName = "README.TXT";
inline constexpr int kReadmeResource = 101;

// Writes README.TXT into the save folder (no trailing separator), whole or not at all.
// OldKept: an older README.TXT could not be deleted (it is read-only) and stays as it was.
// Callers go on whatever became of it.
enum class Readme { Written, NotWritten, OldKept };
Readme WriteReadme(const std::string& saveFolder);
// The same as a step of a copy run: an older README.TXT kept is a failure of the run (the
// folder would go out with a stale README); one that could not be written at all is not.
void WriteReadme(const std::string& saveFolder, FileTools::CopyRun& run);
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
