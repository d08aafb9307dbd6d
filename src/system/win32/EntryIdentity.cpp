// What identifies a file or folder, whatever path reaches it.
#include "system/WindowsApi.h"
#include "system/win32/Win32Host.h"

namespace Win32Host {
namespace {

// The NT family opens folders too (FILE_FLAG_BACKUP_SEMANTICS) and numbers every entry of a
// volume: hard links and junctions lead to one identity.
std::optional<WindowsApi::EntryId> HandleIdentity(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  if (!known) return std::nullopt;
  return WindowsApi::EntryId{info.dwVolumeSerialNumber,
                             (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// Windows 95 and 98 open no folder, and their FAT file index is not stable. FAT has no links
// either, so there an entry's full short path, in capitals, is the one spelling it has; its
// hash stands in for a file index, marked by the top bit so it never meets a real one.
std::optional<WindowsApi::EntryId> PathIdentity(const std::string& path) {
  char full[MAX_PATH];
  char* namePart = nullptr;
  const DWORD fullSize = GetFullPathNameA(path.c_str(), MAX_PATH, full, &namePart);
  if (fullSize == 0 || fullSize >= MAX_PATH) return std::nullopt;
  char shortPath[MAX_PATH];
  const DWORD shortSize = GetShortPathNameA(full, shortPath, MAX_PATH);
  if (shortSize == 0 || shortSize >= MAX_PATH) return std::nullopt;
  std::string canonical = WithoutTrailingSeparators(std::string(shortPath, shortSize));
  CharUpperBuffA(canonical.data(), static_cast<DWORD>(canonical.size()));
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : canonical) hash = (hash ^ c) * 1099511628211ull;
  return WindowsApi::EntryId{(1ull << 63) | static_cast<unsigned char>(canonical[0]), hash};
}

}  // namespace
}  // namespace Win32Host

namespace WindowsApi {

std::optional<EntryId> EntryIdentity(const std::string& path) {
  using namespace Win32Host;
  QuietDriveErrors();
  if (!IsUsablePath(path) || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    return std::nullopt;
  if (!IsWindows9x()) {
    if (auto identity = HandleIdentity(path)) return identity;
  }
  return PathIdentity(path);
}

}  // namespace WindowsApi
