#include "cli/Record.h"

#include <algorithm>

#include "system/FailureText.h"
#include "system/FileTools.h"
#include "system/TextTools.h"

namespace Cli {

std::size_t Record::SameDestination::operator()(std::size_t entry) const {
  return TextTools::HashIgnoringAsciiCase((*files)[entry].destination);
}

bool Record::SameDestination::operator()(std::size_t a, std::size_t b) const {
  return TextTools::SameIgnoringAsciiCase((*files)[a].destination, (*files)[b].destination);
}

void Record::Saved(const std::string& source, const std::string& destination) {
  // Windows takes names that differ only in case for one: the later file replaces the entry.
  files_.push_back({source, destination});
  const auto [at, added] = byDestination_.insert(files_.size() - 1);
  if (!added) {
    files_[*at] = std::move(files_.back());
    files_.pop_back();
  }
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
