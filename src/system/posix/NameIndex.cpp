#include "system/posix/NameIndex.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <list>
#include <unordered_set>

#include "system/TextTools.h"
#include "system/posix/PathText.h"
#include "system/posix/RunCache.h"
#include "system/posix/Level.h"

namespace PosixHost {
namespace {

constexpr std::size_t kFoldersKept = 8;
constexpr std::size_t kIndexedFrom = 128;  // names

struct Stamp {
  FileId id;
  timespec modified{};
  timespec changed{};

  static Stamp Of(const struct stat& info) { return {FileId::Of(info), info.st_mtim, info.st_ctim}; }
  bool operator==(const Stamp& other) const {
    return id == other.id && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec && changed.tv_sec == other.changed.tv_sec &&
           changed.tv_nsec == other.changed.tv_nsec;
  }
};

struct FolderIndex {
  FileId folder;
  Stamp stamp;
  unsigned run = 0;  // the run in which it was last found current; trusted for the rest of it
  // Every name once, found by any spelling: one node a name, no list per spelling (a save
  // folder of 200,000 files is indexed whole).
  std::unordered_multiset<std::string, TextTools::CaseBlind, TextTools::CaseBlind> names;

  void Add(const std::string& name) {
    const auto [first, last] = names.equal_range(name);
    if (std::find(first, last, name) == last) names.insert(name);
  }
  void Remove(const std::string& name) {
    const auto [first, last] = names.equal_range(name);
    const auto found = std::find(first, last, name);
    if (found != last) names.erase(found);
  }
};

std::list<FolderIndex> folders;  // most recently used first

bool CurrentStamp(const Level& folder, Stamp& stamp) {
  struct stat info;
  if (fstat(folder.fd.get(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  stamp = Stamp::Of(info);
  return true;
}

std::list<FolderIndex>::iterator Find(const FileId& folder) {
  return std::find_if(folders.begin(), folders.end(),
                      [&](const FolderIndex& index) { return index.folder == folder; });
}

// Reads the folder afresh. The stamp is taken before reading, so a change made while reading
// leaves the index stale-stamped and it is read again next time.
bool Build(const Level& folder, FolderIndex& index) {
  const int fd = openat(folder.fd.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  DIR* dir = fstat(fd, &info) == 0 ? fdopendir(fd) : nullptr;
  if (!dir) {
    close(fd);
    return false;
  }
  index.folder = FileId::Of(info);
  index.stamp = Stamp::Of(info);
  index.names.clear();
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != ".." && IsWindowsName(name)) index.Add(std::string(name));
  }
  closedir(dir);
  return true;
}

void Update(const Level& folder, const std::string& name, bool created) {
  auto found = Find(folder.Id());
  if (found == folders.end()) return;
  // Within the run that trusts it, the index is kept as the run changes the folder, and its
  // stamp goes stale on purpose: after the run it is read afresh.
  const bool trusted = found->run != 0 && found->run == RunCache::Generation();
  Stamp now;
  if (!trusted && !CurrentStamp(folder, now)) {
    folders.erase(found);
    return;
  }
  if (created && IsWindowsName(name)) found->Add(name);
  if (!created) found->Remove(name);
  if (!trusted) found->stamp = now;
}

}  // namespace

std::vector<std::string> CaseVariantsOf(const Level& folder, std::string_view name) {
  const unsigned run = RunCache::Generation();
  auto found = Find(folder.Id());
  FolderIndex fresh;
  const FolderIndex* index = nullptr;
  Stamp now;
  if (found != folders.end() && run != 0 && found->run == run) {
    folders.splice(folders.begin(), folders, found);  // trusted for the rest of the run
    index = &folders.front();
  } else if (!CurrentStamp(folder, now)) {
    return {};
  } else if (found != folders.end() && found->stamp == now) {
    found->run = run;
    folders.splice(folders.begin(), folders, found);
    index = &folders.front();
  } else {
    if (found != folders.end()) folders.erase(found);
    if (!Build(folder, fresh)) return {};
    fresh.run = run;
    index = &fresh;
    // Outside a run a small folder is read afresh on every miss, which costs little and
    // cannot miss a change made within one clock tick; only big ones are worth keeping.
    // Within one, every folder is kept: it saves a read for each file the run adds to it.
    if (run != 0 || fresh.names.size() >= kIndexedFrom) {
      folders.push_front(std::move(fresh));
      index = &folders.front();
      if (folders.size() > kFoldersKept) folders.pop_back();
    }
  }

  std::vector<std::string> variants;
  const auto [first, last] = index->names.equal_range(name);
  for (auto spelling = first; spelling != last; ++spelling)
    if (*spelling != name) variants.push_back(*spelling);
  std::sort(variants.begin(), variants.end());
  return variants;
}

bool KnownAbsent(const Level& folder, std::string_view name) {
  const unsigned run = RunCache::Generation();
  if (run == 0) return false;
  const auto found = Find(folder.Id());
  return found != folders.end() && found->run == run &&
         !found->names.contains(name);
}

void Distrust(const Level& folder) {
  const auto found = Find(folder.Id());
  if (found != folders.end()) folders.erase(found);
}

void NoteCreated(const Level& folder, const std::string& name) {
  RunCache::ForgetFile(folder.Id(), name);
  Update(folder, name, true);
}

void NoteRemoved(const Level& folder, const std::string& name) {
  RunCache::ForgetFile(folder.Id(), name);
  Update(folder, name, false);
}

}  // namespace PosixHost
