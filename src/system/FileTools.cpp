#include "system/FileTools.h"

#include "system/FolderVisits.h"
#include "system/TextTools.h"
#include "system/UserDialogs.h"

namespace FileTools {
namespace {

using WindowsApi::FindData;
using WindowsApi::kAttrDirectory;

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// Folder operations take their argument with or without a final "\" and build child paths by
// plain concatenation.
using TextTools::IsDriveRoot;
using TextTools::WithFinalSeparator;
using TextTools::WithoutFinalSeparator;


// A drive root whose listing gave nothing: empty, or refused (then it was not read).
bool IsEmptyDriveRoot(const std::string& folder) {
  return IsDriveRoot(folder) && WindowsApi::CanListFolder(folder);
}

}  // namespace

std::vector<FindData> ListVisible(const std::string& pattern, Mask mask) {
  std::vector<FindData> all;
  // A pattern ending in "\" lists that folder's contents.
  std::string full = pattern;
  if (!full.empty() && full.back() == '\\') full += "*.*";
  if (!WindowsApi::ListFolder(full, all, WindowsApi::Facts::Visibility)) return {};
  std::vector<FindData> visible;
  for (FindData& entry : all) {
    if (entry.attributes & (WindowsApi::kAttrHidden | WindowsApi::kAttrSystem)) continue;
    if (mask == Mask::Files && (entry.attributes & kAttrDirectory)) continue;
    visible.push_back(std::move(entry));
  }
  return visible;
}

Read ReadFolder(const std::string& folder, Mask mask, std::vector<FindData>& entries) {
  entries.clear();
  const std::string base = WithFinalSeparator(folder);
  std::vector<FindData> all;
  if (!WindowsApi::ListFolder(base + "*.*", all, WindowsApi::Facts::Visibility)) {
    if (!FolderExists(base)) return Read::Missing;
    return IsEmptyDriveRoot(base) ? Read::Listed : Read::Unreadable;
  }
  for (FindData& entry : all) {
    if (IsDotEntry(entry.name)) continue;
    if (entry.attributes & (WindowsApi::kAttrHidden | WindowsApi::kAttrSystem)) continue;
    if (mask == Mask::Files && (entry.attributes & kAttrDirectory)) continue;
    entries.push_back(std::move(entry));
  }
  return Read::Listed;
}

bool FileExists(const std::string& path) { return !ListVisible(path, Mask::Files).empty(); }

bool FolderExists(const std::string& path) {
  return IsFolderAttributes(WindowsApi::FileAttributes(path));
}

namespace {

void CountLevel(const std::string& base, bool recurse, FolderVisits& visited, FileCount& count) {
  if (!visited.First(base)) return;
  std::vector<FindData> entries;
  // Counting needs names and the folder bit alone (hidden and system files count too).
  if (!WindowsApi::ListFolder(base + "*.*", entries, WindowsApi::Facts::Kind)) {
    // Only a drive root can list nothing at all; anywhere else the folder was not read.
    if (!IsEmptyDriveRoot(base) && count.unreadable.empty())
      count.unreadable = WithoutFinalSeparator(base);
    return;
  }
  for (const FindData& entry : entries) {
    if (IsDotEntry(entry.name)) continue;
    if (!(entry.attributes & kAttrDirectory)) {
      ++count.files;
    } else if (recurse) {
      const std::string inner = base + entry.name + "\\";
      // A subfolder that vanished since the listing counts as empty, not as -1.
      if (FolderExists(inner)) CountLevel(inner, true, visited, count);
    }
  }
}

}  // namespace

FileCount CountFilesIn(const std::string& folder, bool recurse) {
  const std::string base = WithFinalSeparator(folder);
  if (!FolderExists(base)) return {-1, {}};
  FolderVisits visited;
  FileCount count;
  CountLevel(base, recurse, visited, count);
  return count;
}

int CountFiles(const std::string& folder, bool recurse) {
  return CountFilesIn(folder, recurse).files;
}

int FolderYear(const std::string& folder) {
  const std::string base = WithFinalSeparator(folder);
  if (ListVisible(base, Mask::FilesAndFolders).empty()) return -1;
  const auto modified = WindowsApi::ModifiedTime(base);
  return modified ? modified->year : -1;
}

FileDate ReadFileYear(const std::string& path) {
  if (!FileExists(path)) return {};
  if (IsFolderAttributes(WindowsApi::FileAttributes(path))) return {};
  const auto modified = WindowsApi::ModifiedTime(path);
  if (!modified) return {-1, true};
  return {modified->year, false};
}

int FileYear(const std::string& path) { return ReadFileYear(path).year; }

void OpenInShell(const std::string& path) { UserDialogs::Current().OpenInShell(path); }

std::string BrowseForFolder(long /*owner*/, const std::string& prompt,
                            UserDialogs::Question question) {
  return UserDialogs::Current().PickFolder(prompt, question);
}

std::string LastPathPart(const std::string& path) {
  const auto cut = path.rfind('\\');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool IsFolderAttributes(std::uint32_t attributes) {
  return attributes != WindowsApi::kInvalidAttributes && (attributes & kAttrDirectory) != 0;
}

}  // namespace FileTools
