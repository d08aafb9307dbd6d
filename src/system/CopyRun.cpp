#include "system/CopyRun.h"

#include "system/FailureText.h"
#include "system/FileTools.h"
#include "system/TextTools.h"
#include "system/WindowsApi.h"

namespace FileTools {
namespace {

CopyWatcher*& CurrentWatcher() {
  static CopyWatcher* current = nullptr;
  return current;
}

}  // namespace

WatchCopies::WatchCopies(CopyWatcher& watcher) : previous_(CurrentWatcher()) {
  CurrentWatcher() = &watcher;
}
WatchCopies::~WatchCopies() { CurrentWatcher() = previous_; }

bool CopyRun::CopyFile(const std::string& source, const std::string& destination,
                       const std::string& shownAs) {
  std::vector<std::string>& sources = written_[TextTools::ToLowerAscii(destination)];
  const std::string lowerSource = TextTools::ToLowerAscii(source);
  for (const std::string& earlier : sources) {
    if (earlier != source && TextTools::ToLowerAscii(earlier) == lowerSource) {
      return NotSaved(source, FailureText::kCopyFile + shownAs + FailureText::kCaseTwin);
    }
  }
  if (!WindowsApi::CopyFileReplacing(source, destination))
    return NotSaved(source, FailureText::kCopyFile + shownAs);
  sources.push_back(source);
  ++copied_;
  if (CopyWatcher* watcher = CurrentWatcher()) watcher->Saved(source, destination);
  return true;
}

bool CopyRun::MakeFolder(const std::string& folder) {
  if (FolderExists(folder) || WindowsApi::MakeFolder(folder)) return true;
  Failed(folder, FailureText::kMakeFolder + folder);
  return false;
}

bool CopyRun::RemoveFolder(const std::string& folder) {
  if (WindowsApi::RemoveEmptyFolder(folder)) return true;
  Failed(folder, FailureText::kRemoveFolder + folder);
  return false;
}

void CopyRun::CannotRead(const std::string& folder) {
  Failed(folder, FailureText::kReadFolder + folder);
}

bool CopyRun::NotSaved(const std::string& source, const std::string& failure) {
  copyFailed_ = true;
  failures_.push_back(failure);
  if (CopyWatcher* watcher = CurrentWatcher()) watcher->NotSaved(source, failure);
  return false;
}

void CopyRun::Failed(const std::string& folder, const std::string& failure) {
  failures_.push_back(failure);
  if (CopyWatcher* watcher = CurrentWatcher()) watcher->Failed(folder, failure);
}

}  // namespace FileTools
