#include "system/CopyRun.h"

#include <algorithm>

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

bool CopyRun::Sources::TwinOf(const std::string& source) const {
  const auto twin = [&source](const std::string& earlier) {
    return earlier != source && TextTools::SameIgnoringAsciiCase(earlier, source);
  };
  return twin(first) || std::any_of(more.begin(), more.end(), twin);
}

void CopyRun::Sources::Add(const std::string& source) {
  if (source != first && std::find(more.begin(), more.end(), source) == more.end())
    more.push_back(source);
}

bool CopyRun::CopyFile(const std::string& source, const std::string& destination,
                       const std::string& shownAs, IfGone ifGone) {
  const auto written = written_.find(destination);
  if (written != written_.end() && written->second.TwinOf(source))
    return NotSaved(source, FailureText::kCopyFile + shownAs + FailureText::kCaseTwin);
  if (!WindowsApi::CopyFileReplacing(source, destination)) {
    // Only a failed copy asks again whether its source is still there.
    if (ifGone == IfGone::Skip && !FileExists(source)) return false;
    return NotSaved(source, FailureText::kCopyFile + shownAs);
  }
  if (written != written_.end())
    written->second.Add(source);
  else
    written_.emplace(destination, Sources{source, {}});
  ++copied_;
  if (CopyWatcher* watcher = CurrentWatcher()) watcher->Saved(source, destination);
  return true;
}

bool CopyRun::MakeFolder(const std::string& folder, const std::string& copyOf) {
  const std::string failure = FailureText::kMakeFolder + folder;
  // A folder that could not be made is not tried again for each file meant for it.
  if (Noted(failure)) return false;
  if (FolderExists(folder) || WindowsApi::MakeFolder(folder, copyOf)) return true;
  // Another save (another window, another program) may have made it in between: then it is
  // there, as asked.
  if (FolderExists(folder)) return true;
  Failed(folder, failure, false);
  return false;
}

bool CopyRun::RemoveFolder(const std::string& folder) {
  if (WindowsApi::RemoveEmptyFolder(folder)) return true;
  Failed(folder, FailureText::kRemoveFolder + folder, false);
  return false;
}

void CopyRun::CannotRead(const std::string& folder) {
  Failed(folder, FailureText::kReadFolder + folder, true);
}

void CopyRun::CannotDate(const std::string& shownAs) {
  Failed(shownAs, FailureText::kReadDate + shownAs, true);
}

void CopyRun::CannotReplace(const std::string& file) {
  Failed(file, FailureText::kReplaceFile + file, false);
}

void CopyRun::InUse(const std::string& saveFolder) {
  Failed(saveFolder, FailureText::kFolderInUse + saveFolder + FailureText::kFolderInUseEnd, false);
}

bool CopyRun::HoldsFiles(const std::string& folder, bool recurse) const {
  if (CountFiles(folder, recurse) > 0) return true;
  const std::string inside = TextTools::WithFinalSeparator(folder);
  for (const auto& [destination, sources] : written_) {
    if (destination.size() <= inside.size() ||
        !TextTools::SameIgnoringAsciiCase(std::string_view(destination).substr(0, inside.size()), inside))
      continue;
    if (recurse || destination.find('\\', inside.size()) == std::string::npos) return true;
  }
  return false;
}

bool CopyRun::NotSaved(const std::string& source, const std::string& failure) {
  copyFailed_ = true;
  failures_.push_back(failure);
  saveFailures_.push_back(failure);
  if (CopyWatcher* watcher = CurrentWatcher()) watcher->NotSaved(source, failure);
  return false;
}

bool CopyRun::Noted(const std::string& failure) const {
  return std::find(failures_.begin(), failures_.end(), failure) != failures_.end();
}

void CopyRun::Failed(const std::string& path, const std::string& failure, bool reading) {
  if (Noted(failure)) return;
  failures_.push_back(failure);
  (reading ? readFailures_ : saveFailures_).push_back(failure);
  if (CopyWatcher* watcher = CurrentWatcher()) watcher->Failed(path, failure);
}

}  // namespace FileTools
