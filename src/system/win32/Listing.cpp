// FindFirstFile/FindNextFile, taken as one snapshot.
#include "system/WindowsApi.h"
#include "system/win32/PendingFile.h"
#include "system/win32/RunCache.h"
#include "system/win32/Win32Host.h"

namespace Win32Host {
namespace {

using WindowsApi::FindData;

// A junction or other reparse point that stands for a folder. It is never walked into: a
// profile's "Application Data" junction on later Windows leads back into the profile itself.
// (The POSIX host follows a link inside its drive and leaves out only one that loops.)
bool IsReparseFolder(const WIN32_FIND_DATAA& data) {
  const DWORD bits = data.dwFileAttributes;
  const std::string name = data.cFileName;
  return (bits & FILE_ATTRIBUTE_DIRECTORY) && (bits & FILE_ATTRIBUTE_REPARSE_POINT) &&
         name != "." && name != "..";
}

using Wanted = bool (*)(const WIN32_FIND_DATAA& data, const std::string& name);

bool Everything(const WIN32_FIND_DATAA&, const std::string&) { return true; }

// The entry a name stands for, by its long or its short (8.3) name, without regard to case.
bool Named(const WIN32_FIND_DATAA& data, const std::string& name) {
  return lstrcmpiA(data.cFileName, name.c_str()) == 0 ||
         (data.cAlternateFileName[0] && lstrcmpiA(data.cAlternateFileName, name.c_str()) == 0);
}

bool Collect(const std::string& pattern, Wanted wanted, const std::string& name,
             std::vector<FindData>& entries) {
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool complete = true;
  for (;;) {
    // The host's own files being written, or left by a save that was cut short, are no
    // entries of the folder.
    const bool pending =
        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsPendingFileName(data.cFileName);
    if (!IsReparseFolder(data) && !pending && wanted(data, name)) {
      RunCache::Keep(FolderOf(pattern), data);
      FindData entry;
      entry.name = data.cFileName;  // always ends in a NUL within its 260 characters
      entry.attributes = data.dwFileAttributes;
      entry.modified = ToLocalTime(data.ftLastWriteTime);
      entries.push_back(std::move(entry));
    }
    if (!FindNextFileA(find, &data)) {
      // A listing cut off midway (a network drive gone, a disk error) is a failure, not a
      // shorter folder.
      complete = GetLastError() == ERROR_NO_MORE_FILES;
      break;
    }
  }
  FindClose(find);
  if (!complete) entries.clear();
  return !entries.empty();
}

// A listing may return a name that makes a path too long for the 8-bit calls. Looked up by
// that path, it is still found (by listing its folder), so that a scan reports the file it
// cannot copy instead of passing over it as gone.
bool ListLongName(const std::string& path, std::vector<FindData>& entries) {
  const std::string folder = FolderOf(path);
  std::string name = path.substr(folder.size());
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  if (name.empty() || name.find_first_of("*?") != std::string::npos ||
      folder.size() + 1 >= MAX_PATH)
    return false;
  return Collect(folder + "*", Named, name, entries);
}

}  // namespace
}  // namespace Win32Host

namespace WindowsApi {

// FindFirstFile/FindNextFile give every fact of an entry at once, so all are always filled.
bool ListFolder(const std::string& pattern, std::vector<FindData>& entries, Facts) {
  using namespace Win32Host;
  entries.clear();
  QuietDriveErrors();
  // A pattern ending in a separator, or a bare drive, lists everything in that folder.
  std::string full = pattern;
  if (full.size() == 2 && full[1] == ':') full += '\\';
  if (!full.empty() && IsSeparator(full.back())) full += "*.*";
  if (FolderOf(full).find_first_of("*?") != std::string::npos) return false;
  // One file asked for by name, that a listing of this run found: what it found.
  if (const FindData* known = RunCache::File(full)) {
    entries.push_back(*known);
    return true;
  }
  if (full.size() >= MAX_PATH) return ListLongName(full, entries);
  return Collect(full, Everything, {}, entries);
}

bool CanListFolder(const std::string& folder) {
  using namespace Win32Host;
  QuietDriveErrors();
  std::string pattern = folder;
  if (pattern.empty() || !IsSeparator(pattern.back())) pattern += '\\';
  pattern += "*.*";
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    FindClose(find);
    return true;
  }
  // An empty drive root finds nothing; a folder that may not be read is refused.
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

}  // namespace WindowsApi
