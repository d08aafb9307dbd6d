#include "system/FileTools.h"

#include <set>

#include "system/TextTools.h"
#include "system/UserDialogs.h"
#include "system/WindowsTools.h"

namespace FileTools {
namespace {

using WindowsApi::FindData;
using WindowsApi::kAttrDirectory;

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// Folder operations take their argument with or without a final "\" and build child paths by
// plain concatenation.
using TextTools::WithFinalSeparator;

bool HasDirectoryBit(std::uint32_t attributes) {
  return attributes != WindowsApi::kInvalidAttributes && (attributes & kAttrDirectory) != 0;
}

// The folders a recursion has entered, so that no folder is entered twice (a link back to an
// ancestor would otherwise never end).
using Visited = std::set<WindowsApi::EntryId>;

bool FirstVisit(const std::string& folder, Visited& visited) {
  const auto id = WindowsApi::EntryIdentity(folder);
  return !id || visited.insert(*id).second;
}

// "C:\" (or "C:"): the one folder that lists no "." and "..".
bool IsDriveRoot(const std::string& folder) {
  return folder.size() <= 3 && folder.size() >= 2 && folder[1] == ':' &&
         (folder.size() == 2 || folder[2] == '\\');
}

// A drive root whose listing gave nothing: empty, or refused (then it was not read).
bool IsEmptyDriveRoot(const std::string& folder) {
  return IsDriveRoot(folder) && WindowsApi::CanListFolder(folder);
}

std::string WithoutFinalSeparator(const std::string& folder) {
  return IsDriveRoot(folder) || !TextTools::EndsWith(folder, "\\")
             ? folder
             : folder.substr(0, folder.size() - 1);
}

// One level of a folder copy. It goes on with the remaining files and subfolders past a
// failure, so one locked file never costs the user the rest; all files of a folder are
// copied before its subfolders.
bool CopyFolderLevel(CopyRun& run, const std::string& source, const std::string& destination,
                     Visited& visited) {
  if (!FirstVisit(source, visited)) return true;  // entered already through another path
  std::vector<FindData> entries;
  if (ReadFolder(source, Mask::FilesAndFolders, entries) != Read::Listed) {
    // A source that vanished since it was found is as unreadable as one that cannot be
    // listed: either way its files are not saved, and no empty copy of it is made.
    run.CannotRead(WithoutFinalSeparator(source));
    return false;
  }
  // Nothing can be copied into a folder that cannot be made.
  if (!run.MakeFolder(WithoutFinalSeparator(destination), WithoutFinalSeparator(source)))
    return false;
  // A destination inside the source must not be copied into itself again and again.
  FirstVisit(destination, visited);
  bool ok = true;
  // The listing carries each entry's attributes, so no entry is looked up a second time.
  for (const FindData& entry : entries) {
    if (HasDirectoryBit(entry.attributes)) continue;
    if (!run.CopyFile(source + entry.name, destination + entry.name, source + entry.name))
      ok = false;
  }
  for (const FindData& entry : entries) {
    if (!HasDirectoryBit(entry.attributes)) continue;
    if (!CopyFolderLevel(run, source + entry.name + "\\", destination + entry.name + "\\",
                         visited))
      ok = false;
  }
  return ok;
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
  return HasDirectoryBit(WindowsApi::FileAttributes(path));
}

namespace {

void CountLevel(const std::string& base, bool recurse, Visited& visited, FileCount& count) {
  if (!FirstVisit(base, visited)) return;
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
  Visited visited;
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
  if (HasDirectoryBit(WindowsApi::FileAttributes(path))) return {};
  const auto modified = WindowsApi::ModifiedTime(path);
  if (!modified) return {-1, true};
  return {modified->year, false};
}

int FileYear(const std::string& path) { return ReadFileYear(path).year; }

bool CopyFolderInto(CopyRun& run, const std::string& source, const std::string& destination) {
  Visited visited;
  return CopyFolderLevel(run, WithFinalSeparator(source), WithFinalSeparator(destination),
                         visited);
}

void TellCopyFolderFailed() {
  UserDialogs::ShowMessage("Error copying directory", UserDialogs::Icon::Exclamation);
}

bool CopyFolder(const std::string& source, const std::string& destination) {
  CopyRun run;
  const bool ok = CopyFolderInto(run, source, destination);
  if (!ok) TellCopyFolderFailed();
  return ok;
}

void OpenInShell(const std::string& path) { UserDialogs::Current().OpenInShell(path); }

std::string BrowseForFolder(long /*owner*/, const std::string& prompt) {
  return UserDialogs::Current().PickFolder(prompt);
}

std::string LastPathPart(const std::string& path) {
  const auto cut = path.rfind('\\');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string GetProgramFilesDir() {
  WindowsApi::RegistryKey* key = nullptr;
  if (WindowsApi::OpenMachineKey("Software\\Microsoft\\Windows\\CurrentVersion", key) !=
      WindowsApi::kErrorSuccess) {
    return "(Error opening key)";
  }
  char buffer[260] = {};
  std::uint32_t size = sizeof buffer;
  std::uint32_t type = 0;
  const long result = WindowsApi::QueryKeyValue(key, "ProgramFilesDir", type, buffer, size);
  WindowsApi::CloseKey(key);
  if (result != WindowsApi::kErrorSuccess || type != WindowsApi::kRegSz) {
    return "(Failed to read value)";
  }
  return WindowsTools::TrimAtNull(std::string(buffer, sizeof buffer));
}

}  // namespace FileTools
