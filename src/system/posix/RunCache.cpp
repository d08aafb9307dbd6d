#include "system/posix/RunCache.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "system/WindowsApi.h"

namespace PosixHost::RunCache {
namespace {

struct Store {
  int depth = 0;
  unsigned generation = 0;  // of the run going on, or the last one
  unsigned changes = 0;
  std::map<std::string, KnownFolder> folders;
  std::map<std::pair<FileId, std::string>, KnownFile> files;
  std::set<FileId> swept;
};

Store& TheStore() {
  static Store store;
  return store;
}

}  // namespace

bool Active() { return TheStore().depth > 0; }

struct stat KnownFile::Info() const {
  struct stat info {};
  info.st_dev = id_.device;
  info.st_ino = id_.inode;
  info.st_mode = mode_;
  info.st_nlink = 1;
  info.st_size = size_;
  info.st_mtim = modified_;
  return info;
}

unsigned Generation() { return Active() ? TheStore().generation : 0; }

std::string FolderKey(char drive, const std::vector<std::string>& parts, std::size_t count) {
  std::string key(1, drive);
  for (std::size_t i = 0; i < count && i < parts.size(); ++i) key += '\\' + parts[i];
  return key;
}

const KnownFolder* Folder(const std::string& key) {
  if (!Active()) return nullptr;
  const auto found = TheStore().folders.find(key);
  return found == TheStore().folders.end() ? nullptr : &found->second;
}

void KeepFolder(const std::string& key, KnownFolder folder) {
  if (Active()) TheStore().folders.insert_or_assign(key, std::move(folder));
}

const KnownFile* File(const FileId& folder, const std::string& name) {
  if (!Active()) return nullptr;
  const auto found = TheStore().files.find({folder, name});
  return found == TheStore().files.end() ? nullptr : &found->second;
}

void KeepFile(const FileId& folder, const std::string& name, const KnownFile& file) {
  if (Active()) TheStore().files.insert_or_assign({folder, name}, file);
}

void ForgetFile(const FileId& folder, const std::string& name) {
  if (!Active()) return;
  ++TheStore().changes;
  TheStore().files.erase({folder, name});
}

void DropFile(const FileId& folder, const std::string& name) {
  if (Active()) TheStore().files.erase({folder, name});
}

void ForgetFolder(const FileId& folder) {
  if (!Active()) return;
  ++TheStore().changes;
  auto& folders = TheStore().folders;
  for (auto it = folders.begin(); it != folders.end();) {
    const Chain& chain = it->second.chain;
    const bool through = std::any_of(chain.begin(), chain.end(),
                                     [&](const Level& level) { return level.Id() == folder; });
    it = through ? folders.erase(it) : std::next(it);
  }
}

unsigned Changes() { return TheStore().changes; }

bool Swept(const FileId& folder) { return Active() && TheStore().swept.count(folder) > 0; }

void NoteSwept(const FileId& folder) {
  if (Active()) TheStore().swept.insert(folder);
}

}  // namespace PosixHost::RunCache

namespace WindowsApi {

RunScope::RunScope() {
  auto& store = PosixHost::RunCache::TheStore();
  if (store.depth++ == 0) ++store.generation;
}

// When the outermost run ends, nothing it kept is trusted any longer.
RunScope::~RunScope() {
  auto& store = PosixHost::RunCache::TheStore();
  if (--store.depth > 0) return;
  store.folders.clear();
  store.files.clear();
  store.swept.clear();
}

}  // namespace WindowsApi
