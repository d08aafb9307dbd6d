#include "scan/ScanSources.h"

#include "scan/TimeTools.h"
#include "system/FileTools.h"
#include "system/TextTools.h"

namespace ScanSources {

std::vector<std::string> VisibleFiles(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry :
       FileTools::ListVisible(TextTools::InFolder(folder, "*.*"), FileTools::Mask::Files))
    names.push_back(entry.name);
  return names;
}

void CollectQualifying(const std::string& folder, NameTest wanted,
                       std::vector<std::string>& found) {
  for (const auto& name : VisibleFiles(folder)) {
    const std::string path = TextTools::InFolder(folder, name);
    if (wanted(name) && TimeTools::IsNotNewerThan(TimeTools::kAgeLimit, path))
      found.push_back(path);
  }
}

bool FolderQualifies(const std::string& folder, bool countSubfolders) {
  return FileTools::FolderYear(folder) < TimeTools::kAgeLimit && FileTools::FolderExists(folder) &&
         FileTools::CountFiles(folder, countSubfolders) > 0;
}

}  // namespace ScanSources
