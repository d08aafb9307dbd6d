#include "system/win32/PendingFile.h"

#include "system/win32/RunCache.h"
#include "system/win32/Win32Host.h"

namespace Win32Host {
namespace {

// MoveFileEx replaces in one step, but only on the NT family; Windows 95 and 98 export it as a
// stub that fails. There the old file is deleted and the new one renamed: should the rename
// then fail, the new file is lost but the final name never holds part of a file.
bool Replace(const std::string& from, const std::string& to) {
  using MoveEx = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
  static const auto moveEx = OptionalKernelCall<MoveEx>("MoveFileExA");
  if (moveEx && moveEx(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  if (moveEx && GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
  const bool exists = GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (exists && !DeleteFileA(to.c_str())) return false;
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

}  // namespace

std::optional<Destination> WritableDestination(const std::string& path) {
  if (!IsUsablePath(path)) return std::nullopt;
  Destination destination;
  destination.folder = FolderOf(path);
  destination.name = path.substr(destination.folder.size());
  if (destination.folder.empty() || destination.name.empty()) return std::nullopt;
  // A folder this run has written into was one then; should it have gone since, the
  // temporary cannot be made in it, and the write fails all the same.
  if (!RunCache::Swept(destination.folder)) {
    const DWORD folderBits = GetFileAttributesA(destination.folder.c_str());
    if (folderBits == INVALID_FILE_ATTRIBUTES || !(folderBits & FILE_ATTRIBUTE_DIRECTORY))
      return std::nullopt;
  }

  // Whether the name is taken: what this run knows of the folder, or else Windows.
  if (RunCache::KnownAbsent(path)) return destination;
  DWORD bits = 0;
  if (const WindowsApi::FindData* known = RunCache::File(path)) {
    bits = known->attributes;
    destination.name = known->name;
  } else {
    WIN32_FIND_DATAA existing;
    const HANDLE find = FindFirstFileA(path.c_str(), &existing);
    if (find == INVALID_HANDLE_VALUE) return destination;
    FindClose(find);
    bits = existing.dwFileAttributes;
    // Replacing keeps the existing name's spelling, as CopyFile over an existing file does.
    destination.name = existing.cFileName;
  }
  if (bits & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return std::nullopt;
  destination.exists = true;
  return destination;
}

PendingFile::~PendingFile() {
  if (temporary_.empty()) return;
  SetFileAttributesA(temporary_.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only copy too
  DeleteFileA(temporary_.c_str());
}

bool PendingFile::Create(const Destination& destination) {
  final_ = destination.folder + destination.name;
  if (final_.size() >= MAX_PATH) return false;
  SweepBeforeFirstWrite(destination.folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = destination.folder + NextPendingFileName();
    if (path.size() >= MAX_PATH) return false;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      temporary_ = path;
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool PendingFile::Commit() {
  if (temporary_.empty()) return false;
  RunCache::Changed(final_);
  if (!Replace(temporary_, final_)) return false;
  temporary_.clear();
  return true;
}

}  // namespace Win32Host
