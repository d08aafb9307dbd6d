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
    if (!wanted(name)) continue;
    const std::string path = TextTools::InFolder(folder, name);
    switch (TimeTools::AgeOf(path, TimeTools::kAgeLimit)) {
      case TimeTools::Age::NotNewer: finds.files.push_back(path); break;
      case TimeTools::Age::Undated: finds.undated.push_back(path); break;
      case TimeTools::Age::TooNew: break;
    }
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
