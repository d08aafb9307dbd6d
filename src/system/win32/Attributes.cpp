// GetFileAttributes, and an entry's modification time from its directory entry.
#include "system/WindowsApi.h"
#include "system/win32/RunCache.h"
#include "system/win32/Win32Host.h"

namespace Win32Host {
namespace {

// A drive root has no entry in any listing. GetFileAttributesExA knows its times on Windows 98
// and NT 4.0; Windows 95 lacks the call, and there a root has no time.
std::optional<WindowsApi::LocalTime> RootModifiedTime(const std::string& root) {
  using Query = BOOL(WINAPI*)(LPCSTR, GET_FILEEX_INFO_LEVELS, LPVOID);
  static const auto query = OptionalKernelCall<Query>("GetFileAttributesExA");
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!query || !query(root.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return ToLocalTime(data.ftLastWriteTime);
}

}  // namespace
}  // namespace Win32Host

namespace WindowsApi {

std::uint32_t FileAttributes(const std::string& path) {
  Win32Host::QuietDriveErrors();
  if (!Win32Host::IsUsablePath(path)) return kInvalidAttributes;
  // A listing's bits for a file are the ones GetFileAttributes reads: the entry's attributes.
  if (const FindData* known = Win32Host::RunCache::File(path)) return known->attributes;
  const DWORD bits = GetFileAttributesA(path.c_str());
  return bits == INVALID_FILE_ATTRIBUTES ? kInvalidAttributes : bits;
}

std::optional<LocalTime> ModifiedTime(const std::string& path) {
  using namespace Win32Host;
  QuietDriveErrors();
  if (!IsUsablePath(path)) return std::nullopt;
  const std::string entry = WithoutTrailingSeparators(path);
  if (IsDriveRoot(entry)) return RootModifiedTime(entry.size() == 2 ? entry + "\\" : entry);
  if (entry.size() == path.size()) {
    if (const FindData* known = RunCache::File(entry)) return known->modified;
  }
  // FindFirstFile reads the time from the entry, on Windows 95 too, which cannot open a folder.
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA(entry.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(find);
  // A final separator asks for a folder.
  if (entry.size() != path.size() && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return ToLocalTime(data.ftLastWriteTime);
}

}  // namespace WindowsApi
