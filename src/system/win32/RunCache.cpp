#include "system/win32/RunCache.h"

#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "system/win32/PendingFile.h"

namespace Win32Host::RunCache {
namespace {

// One thread does every scan and save (the shipped build's thread model has no mutex), so
// plain containers serve.
struct Store {
  int depth = 0;
  std::map<std::string, WindowsApi::FindData> files;
  // A name as Windows compares it, to the paths of the files kept under it.
  std::unordered_multimap<std::string, std::string> byName;
  // Folders listed whole, to the names they held; folders being listed.
  std::map<std::string, std::unordered_set<std::string>> whole;
  std::map<std::string, std::unordered_set<std::string>> listing;
  std::unordered_set<std::string> changed;  // names the host made, replaced or removed
  std::set<std::string> swept;
};

Store& TheStore() {
  static Store store;
  return store;
}

// A name as the file system matches it: without case, and without what Windows drops or
// reads apart from the name (trailing dots and blanks, a ":stream" suffix).
std::string Matched(std::string name) {
  const std::size_t stream = name.find(':');
  if (stream != std::string::npos) name.erase(stream);
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

std::string LastPart(const std::string& path) {
  const std::string trimmed = WithoutTrailingSeparators(path);
  return trimmed.substr(FolderOf(trimmed).size());
}

}  // namespace

bool Active() { return TheStore().depth > 0; }

void Keep(const std::string& folder, const WIN32_FIND_DATAA& data) {
  if (!Active() || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  Store& store = TheStore();
  const std::string path = folder + data.cFileName;
  WindowsApi::FindData entry;
  entry.name = data.cFileName;
  entry.attributes = data.dwFileAttributes;
  entry.modified = ToLocalTime(data.ftLastWriteTime);
  if (!store.files.insert_or_assign(path, std::move(entry)).second) return;  // indexed already
  store.byName.emplace(Matched(data.cFileName), path);
  if (data.cAlternateFileName[0]) store.byName.emplace(Matched(data.cAlternateFileName), path);
}

const WindowsApi::FindData* File(const std::string& path) {
  if (!Active()) return nullptr;
  const auto found = TheStore().files.find(path);
  return found == TheStore().files.end() ? nullptr : &found->second;
}

void KeepName(const std::string& folder, const WIN32_FIND_DATAA& data) {
  if (!Active()) return;
  Keep(folder, data);
  auto& names = TheStore().listing[folder];
  names.insert(Matched(data.cFileName));
  if (data.cAlternateFileName[0]) names.insert(Matched(data.cAlternateFileName));
}

void EndListing(const std::string& folder, bool whole) {
  if (!Active()) return;
  Store& store = TheStore();
  if (whole) store.whole[folder] = std::move(store.listing[folder]);
  store.listing.erase(folder);
}

bool KnownAbsent(const std::string& path) {
  if (!Active()) return false;
  const Store& store = TheStore();
  const std::string name = LastPart(path);
  if (name.empty() || !path.ends_with(name) || name.find('~') != std::string::npos ||
      IsPendingFileName(name))
    return false;
  const auto folder = store.whole.find(path.substr(0, path.size() - name.size()));
  if (folder == store.whole.end()) return false;
  const std::string matched = Matched(name);
  return folder->second.count(matched) == 0 && store.changed.count(matched) == 0;
}

void Changed(const std::string& path) {
  if (!Active()) return;
  Store& store = TheStore();
  const std::string matched = Matched(LastPart(path));
  store.changed.insert(matched);
  const auto [first, last] = store.byName.equal_range(matched);
  for (auto it = first; it != last; ++it) store.files.erase(it->second);
  store.byName.erase(first, last);
}

void FolderRemoved(const std::string& path) {
  if (!Active()) return;
  Changed(path);
  TheStore().whole.clear();
  TheStore().swept.clear();
}

bool Swept(const std::string& folder) { return Active() && TheStore().swept.count(folder) > 0; }

void NoteSwept(const std::string& folder) {
  if (Active()) TheStore().swept.insert(folder);
}

}  // namespace Win32Host::RunCache

namespace WindowsApi {

RunScope::RunScope() { ++Win32Host::RunCache::TheStore().depth; }

// When the outermost run ends, nothing it kept is trusted any longer.
RunScope::~RunScope() {
  auto& store = Win32Host::RunCache::TheStore();
  if (--store.depth > 0) return;
  store = {};
}

}  // namespace WindowsApi
