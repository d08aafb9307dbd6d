// The names of the files this host writes beside their final names, and the sweep of those
// that a save cut short left behind.
#include <optional>
#include <set>
#include <vector>

#include "system/win32/PendingFile.h"
#include "system/win32/RunCache.h"
#include "system/win32/Win32Host.h"

namespace Win32Host {
namespace {

constexpr char kPrefix[] = "~qf";
constexpr char kSuffix[] = ".tmp";
constexpr std::size_t kDigits = 12;  // the process id (8) and a count (4)

std::string Hex(unsigned long value, std::size_t digits) {
  std::string text(digits, '0');
  for (std::size_t at = digits; at-- > 0; value >>= 4) text[at] = "0123456789ABCDEF"[value & 15];
  return text;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The id of the process a pending file's name gives; nullopt for any other name.
std::optional<DWORD> PendingProcess(const std::string& name) {
  const std::size_t prefix = sizeof kPrefix - 1, suffix = sizeof kSuffix - 1;
  if (name.size() != prefix + kDigits + suffix ||
      lstrcmpiA(name.substr(0, prefix).c_str(), kPrefix) != 0 ||
      lstrcmpiA(name.substr(prefix + kDigits).c_str(), kSuffix) != 0)
    return std::nullopt;
  DWORD process = 0;
  for (std::size_t at = prefix; at < prefix + kDigits; ++at) {
    if (!IsHexDigit(name[at])) return std::nullopt;
    const char c = name[at];
    const DWORD digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    if (at < prefix + 8) process = process * 16 + digit;
  }
  return process;
}

bool StillRuns(DWORD process) {
  if (process == GetCurrentProcessId()) return true;
  const HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process);
  // Only "no such process" counts as gone; a process of another user cannot be opened.
  if (!handle) return GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD code = STILL_ACTIVE;
  const bool ended = GetExitCodeProcess(handle, &code) && code != STILL_ACTIVE;
  CloseHandle(handle);
  return !ended;
}

// Whether no file was written into the folder yet in this run. A folder is known by its full
// path in capitals and its creation time, so a folder made anew under an old name counts anew.
bool FirstWriteInto(const std::string& folder) {
  // One thread does every save (the shipped build's thread model has no mutex), so a plain set
  // serves.
  static std::set<std::string> written;
  char full[MAX_PATH];
  char* namePart = nullptr;
  const DWORD size = GetFullPathNameA(folder.c_str(), MAX_PATH, full, &namePart);
  if (size == 0 || size >= MAX_PATH) return true;
  std::string key = WithoutTrailingSeparators(std::string(full, size));
  CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
  WIN32_FIND_DATAA data;
  const HANDLE find = IsDriveRoot(key) ? INVALID_HANDLE_VALUE : FindFirstFileA(key.c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    FindClose(find);
    const FILETIME& made = data.ftCreationTime;
    key += "|" + Hex(made.dwHighDateTime, 8) + Hex(made.dwLowDateTime, 8);
  }
  return written.insert(key).second;
}

// Lists the entries of the folder `base` (ending in a separator) that match `pattern`: removes
// the stale temporaries among them when `sweep`, and with `keepNames` keeps every other entry's
// name for the run. Listed whole first: Windows 95 may lose its place in a listing when an
// entry goes.
void ListAndSweep(const std::string& base, const char* pattern, bool sweep, bool keepNames) {
  std::vector<std::string> stale;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((base + pattern).c_str(), &data);
  bool whole = false;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const auto process = PendingProcess(data.cFileName);
      if (process && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (sweep && !StillRuns(*process)) stale.push_back(data.cFileName);
      } else if (keepNames) {
        RunCache::KeepName(base, data);
      }
    } while (FindNextFileA(find, &data));
    whole = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
  }
  if (keepNames) RunCache::EndListing(base, whole);
  for (const std::string& name : stale) {
    const std::string path = base + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only copy too
    DeleteFileA(path.c_str());
  }
}

}  // namespace

std::string NextPendingFileName() {
  static unsigned counter = 0;
  return kPrefix + Hex(GetCurrentProcessId(), 8) + Hex(counter++ & 0xFFFF, 4) + kSuffix;
}

bool IsPendingFileName(const std::string& name) { return PendingProcess(name).has_value(); }

void SweepStalePendingFiles(const std::string& folder) {
  if (folder.empty()) return;
  const std::string base = IsSeparator(folder.back()) ? folder : folder + "\\";
  if (IsUsablePath(base + "~qf.tmp")) ListAndSweep(base, "~qf*.tmp", true, false);
}

void SweepBeforeFirstWrite(const std::string& folder) {
  // A run that has written into the folder, spelt so, has looked already.
  if (RunCache::Swept(folder)) return;
  const bool first = FirstWriteInto(folder);
  if (!RunCache::Active()) {
    if (first) SweepStalePendingFiles(folder);
    return;
  }
  // In a run the folder is listed whole, once: besides its stale temporaries, the run learns
  // every name it holds, and a name it does not hold needs no question before each new file.
  if (IsUsablePath(folder + "~qf.tmp")) ListAndSweep(folder, "*.*", first, true);
  RunCache::NoteSwept(folder);
}

}  // namespace Win32Host
