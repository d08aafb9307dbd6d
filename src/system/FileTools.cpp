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

// One level of CopyFolder. Unlike a listing that stops at the first failure, it goes on with
// the remaining files and subfolders, so one locked file never costs the user the rest.
bool CopyFolderLevel(const std::string& source, const std::string& destination,
                     Visited& visited) {
  if (!FirstVisit(source, visited)) return true;  // entered already through another path
  if (!FolderExists(destination) &&
      !WindowsApi::MakeFolder(destination.substr(0, destination.size() - 1))) {
    return false;  // nothing can be copied into a folder that cannot be made
  }
  // A destination inside the source must not be copied into itself again and again.
  FirstVisit(destination, visited);
  bool ok = true;
  // The listing carries each entry's attributes, so no entry is looked up a second time.
  for (const FindData& entry : ListVisible(source + "*.*", Mask::Files)) {
    if (!WindowsApi::CopyFileReplacing(source + entry.name, destination + entry.name)) ok = false;
  }
  for (const FindData& entry : ListVisible(source + "*", Mask::FilesAndFolders)) {
    if (IsDotEntry(entry.name) || !HasDirectoryBit(entry.attributes)) continue;
    if (!CopyFolderLevel(source + entry.name + "\\", destination + entry.name + "\\", visited))
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
  if (!WindowsApi::ListFolder(full, all)) return {};
  std::vector<FindData> visible;
  for (FindData& entry : all) {
    if (entry.attributes & (WindowsApi::kAttrHidden | WindowsApi::kAttrSystem)) continue;
    if (mask == Mask::Files && (entry.attributes & kAttrDirectory)) continue;
    visible.push_back(std::move(entry));
  }
  return visible;
}

bool FileExists(const std::string& path) { return !ListVisible(path, Mask::Files).empty(); }

bool FolderExists(const std::string& path) {
  return HasDirectoryBit(WindowsApi::FileAttributes(path));
}

namespace {

int CountFilesIn(const std::string& base, bool recurse, Visited& visited) {
  if (!FolderExists(base)) return -1;
  if (!FirstVisit(base, visited)) return 0;
  std::vector<FindData> entries;
  if (!WindowsApi::ListFolder(base + "*.*", entries)) return 0;
  int count = 0;
  for (const FindData& entry : entries) {
    if (IsDotEntry(entry.name)) continue;
    if (!(entry.attributes & kAttrDirectory)) {
      ++count;
    } else if (recurse) {
      // A subfolder that vanished since the listing counts as empty, not as -1.
      const int inner = CountFilesIn(base + entry.name + "\\", true, visited);
      if (inner > 0) count += inner;
    }
  }
  return count;
}

}  // namespace

int CountFiles(const std::string& folder, bool recurse) {
  Visited visited;
  return CountFilesIn(WithFinalSeparator(folder), recurse, visited);
}

int FolderYear(const std::string& folder) {
  const std::string base = WithFinalSeparator(folder);
  if (ListVisible(base, Mask::FilesAndFolders).empty()) return -1;
  const auto modified = WindowsApi::ModifiedTime(base);
  return modified ? modified->year : -1;
}

int FileYear(const std::string& path) {
  if (!FileExists(path)) return -1;
  if (HasDirectoryBit(WindowsApi::FileAttributes(path))) return -1;
  const auto modified = WindowsApi::ModifiedTime(path);
  return modified ? modified->year : -1;
}

bool CopyFolder(const std::string& source, const std::string& destination) {
  Visited visited;
  const bool ok =
      CopyFolderLevel(WithFinalSeparator(source), WithFinalSeparator(destination), visited);
  if (!ok) {
    UserDialogs::ShowMessage("Error copying directory", UserDialogs::Icon::Exclamation);
  }
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
