// Making and removing single folders and files.
#include "system/WindowsApi.h"
#include "system/win32/PendingFile.h"
#include "system/win32/RunCache.h"
#include "system/win32/Win32Host.h"

namespace WindowsApi {

bool MakeFolder(const std::string& path, const std::string& /*copyOf*/) {
  Win32Host::QuietDriveErrors();
  if (!Win32Host::IsUsablePath(path)) return false;
  Win32Host::RunCache::Changed(path);
  return CreateDirectoryA(path.c_str(), nullptr);
}

bool RemoveEmptyFolder(const std::string& path) {
  Win32Host::QuietDriveErrors();
  if (!Win32Host::IsUsablePath(path)) return false;
  Win32Host::RunCache::FolderRemoved(path);
  // What a save cut short left in it is no content of the folder.
  Win32Host::SweepStalePendingFiles(path);
  return RemoveDirectoryA(path.c_str());
}

// Windows 95 reads wildcards in DeleteFile; the usable-path test keeps it to one file.
bool DeleteOneFile(const std::string& path) {
  Win32Host::QuietDriveErrors();
  if (!Win32Host::IsUsablePath(path)) return false;
  Win32Host::RunCache::Changed(path);
  return DeleteFileA(path.c_str());
}

}  // namespace WindowsApi
