// CopyFile, written beside the target and put in its place.
#include "system/WindowsApi.h"
#include "system/win32/PendingFile.h"
#include "system/win32/Win32Host.h"

namespace WindowsApi {

bool CopyFileReplacing(const std::string& source, const std::string& destination) {
  using namespace Win32Host;
  QuietDriveErrors();
  const DWORD sourceBits = FileAttributes(source);
  if (sourceBits == kInvalidAttributes || (sourceBits & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  auto to = WritableDestination(destination);
  if (!to) return false;
  // Onto itself, however spelt (case, short names, doubled separators, a second hard link):
  // refused before anything is written, so the file is never harmed.
  if (to->exists) {
    const auto from = EntryIdentity(source);
    if (!from || from == EntryIdentity(to->folder + to->name)) return false;
  }
  PendingFile out;
  // CopyFile keeps the source's modification time. Over the existing temporary it may leave
  // the attributes behind (Wine does), so they are set again, all but read-only: a read-only
  // copy would refuse every later save into its folder, as the POSIX host's copies never are.
  const DWORD kept = sourceBits & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                   FILE_ATTRIBUTE_ARCHIVE);
  return out.Create(*to) && CopyFileA(source.c_str(), out.Path().c_str(), FALSE) &&
         SetFileAttributesA(out.Path().c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) &&
         out.Commit();
}

}  // namespace WindowsApi
