// Writing a whole file at once, beside its final name and put in its place.
#include "system/WindowsApi.h"
#include "system/win32/PendingFile.h"
#include "system/win32/Win32Host.h"

namespace Win32Host {
namespace {

bool WriteAll(const std::string& path, const unsigned char* data, std::size_t size) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  while (ok && size > 0) {
    const DWORD chunk = size > (1u << 20) ? (1u << 20) : static_cast<DWORD>(size);
    DWORD wrote = 0;
    ok = WriteFile(file, data, chunk, &wrote, nullptr) && wrote == chunk;
    data += wrote;
    size -= wrote;
  }
  // Closing can report a write the file system could not complete (network drives).
  return CloseHandle(file) && ok;
}

}  // namespace
}  // namespace Win32Host

namespace WindowsApi {

bool WriteWholeFile(const std::string& path, const unsigned char* data, std::size_t size) {
  using namespace Win32Host;
  QuietDriveErrors();
  if (!data && size > 0) return false;
  auto to = WritableDestination(path);
  if (!to) return false;
  PendingFile out;
  return out.Create(*to) && WriteAll(out.Path(), data, size) && out.Commit();
}

}  // namespace WindowsApi
