#include "scan/ScanSources.h"

#include "scan/TimeTools.h"
#include "system/FileTools.h"
#include "system/TextTools.h"

namespace ScanSources {

std::vector<std::string> VisibleFiles(const std::string& folder,
                                      std::vector<std::string>& unreadable) {
  std::vector<WindowsApi::FindData> entries;
  if (FileTools::ReadFolder(folder, FileTools::Mask::Files, entries) ==
      FileTools::Read::Unreadable)
    unreadable.push_back(folder);
  std::vector<std::string> names;
  for (const auto& entry : entries) names.push_back(entry.name);
  return names;
}

void CollectQualifying(const std::string& folder, NameTest wanted, Finds& finds) {
  for (const auto& name : VisibleFiles(folder, finds.unreadable)) {
    const std::string path = TextTools::InFolder(folder, name);
    if (wanted(name) && TimeTools::IsNotNewerThan(TimeTools::kAgeLimit, path))
      finds.files.push_back(path);
  }
}

FolderVerdict JudgeFolder(const std::string& folder, bool countSubfolders) {
  if (FileTools::FolderYear(folder) >= TimeTools::kAgeLimit || !FileTools::FolderExists(folder))
    return {};
  const FileTools::FileCount count = FileTools::CountFilesIn(folder, countSubfolders);
  if (count.files > 0) return {true, {}};
  return {false, count.unreadable};
}

}  // namespace ScanSources
