#include "system/CopyRun.h"

#include "system/FailureText.h"
#include "system/FileTools.h"
#include "system/TextTools.h"
#include "system/WindowsApi.h"

namespace FileTools {

bool CopyRun::CopyFile(const std::string& source, const std::string& destination,
                       const std::string& shownAs) {
  std::vector<std::string>& sources = written_[TextTools::ToLowerAscii(destination)];
  for (const std::string& earlier : sources) {
    if (earlier != source && TextTools::ToLowerAscii(earlier) == TextTools::ToLowerAscii(source)) {
      failures_.push_back(FailureText::kCopyFile + shownAs + FailureText::kCaseTwin);
      copyFailed_ = true;
      return false;
    }
  }
  if (!WindowsApi::CopyFileReplacing(source, destination)) {
    failures_.push_back(FailureText::kCopyFile + shownAs);
    copyFailed_ = true;
    return false;
  }
  sources.push_back(source);
  ++copied_;
  return true;
}

bool CopyRun::MakeFolder(const std::string& folder) {
  if (FolderExists(folder) || WindowsApi::MakeFolder(folder)) return true;
  failures_.push_back(FailureText::kMakeFolder + folder);
  return false;
}

void CopyRun::CannotRead(const std::string& folder) {
  failures_.push_back(FailureText::kReadFolder + folder);
}

}  // namespace FileTools
