#include "cli/Record.h"

#include <algorithm>

#include "system/FailureText.h"
#include "system/FileTools.h"
#include "system/TextTools.h"

namespace Cli {

void Record::Saved(const std::string& source, const std::string& destination) {
  // Windows takes names that differ only in case for one.
  const auto [at, added] =
      byDestination_.try_emplace(TextTools::ToLowerAscii(destination), files_.size());
  if (added)
    files_.push_back({source, destination});
  else
    files_[at->second] = {source, destination};
  ShowProgress(source);
}

void Record::NotSaved(const std::string& source, const std::string& failure) {
  failures_.push_back({source, failure, true});
  ShowProgress(source);
}

void Record::Failed(const std::string& folder, const std::string& failure) {
  // An empty folder left behind loses nothing; a folder not made or not read does.
  const bool removing = failure.rfind(FailureText::kRemoveFolder, 0) == 0;
  failures_.push_back({folder, failure, false, !removing});
}

std::size_t Record::FilesNotSaved() const {
  return std::count_if(failures_.begin(), failures_.end(),
                       [](const Failure& failure) { return failure.file; });
}

void Record::ShowProgress(const std::string& path) {
  progress_.Show(std::to_string(files_.size()) + " saved, " + std::to_string(FilesNotSaved()) +
                 " not saved: " + FileTools::LastPathPart(path));
}

}  // namespace Cli
