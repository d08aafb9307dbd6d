// The parts of TempTree and EnvGuard that use the Win32 calls. The test program runs on later
// Windows (and Wine) only, so it may use the wide calls too: they reach names the code page
// cannot carry, which the 8-bit calls cannot remove.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/TempTree.h"

namespace testsupport {
namespace {

constexpr const wchar_t* kScratchDrive = L"R:\\";

// Empties a folder, whatever its entries' attributes; the folder itself stays.
void Empty(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  const HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  std::vector<std::pair<std::wstring, DWORD>> entries;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") entries.emplace_back(name, data.dwFileAttributes);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  for (const auto& [name, attributes] : entries) {
    const std::wstring path = folder + name;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A link or junction is removed itself, never walked into.
    const bool walk = (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                      !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (walk) Empty(path + L"\\");
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
      RemoveDirectoryW(path.c_str());
    else
      DeleteFileW(path.c_str());
  }
}

HANDLE OpenForTimes(const std::string& path) {
  return CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

TempTree::TempTree() : root_("R:\\") {
  const DWORD bits = GetFileAttributesW(kScratchDrive);
  if (bits == INVALID_FILE_ATTRIBUTES || !(bits & FILE_ATTRIBUTE_DIRECTORY))
    throw std::runtime_error(
        "drive R: is not linked to a scratch folder: run the tests with scripts/wine/run-tests.sh");
  Empty(kScratchDrive);
}

TempTree::~TempTree() { Empty(kScratchDrive); }

// Windows reads hidden from the attribute only (Wine also from a leading dot); the tree sets
// it, so that a tree means the same on both hosts.
void TempTree::HideDotNames(const std::string& relative) const {
  std::size_t start = 0;
  while (start < relative.size()) {
    std::size_t end = relative.find('/', start);
    if (end == std::string::npos) end = relative.size();
    if (relative[start] == '.') {
      const std::string path = Path(relative.substr(0, end));
      SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) | FILE_ATTRIBUTE_HIDDEN);
    }
    start = end + 1;
  }
}

void TempTree::SetTime(const std::string& relative, int year, int month, int day, int hour,
                       int minute, int second) const {
  SYSTEMTIME local = {};
  local.wYear = static_cast<WORD>(year);
  local.wMonth = static_cast<WORD>(month);
  local.wDay = static_cast<WORD>(day);
  local.wHour = static_cast<WORD>(hour);
  local.wMinute = static_cast<WORD>(minute);
  local.wSecond = static_cast<WORD>(second);
  FILETIME localTime, universal;
  // The inverse of FileTimeToLocalFileTime, which the Win32 host reads times with.
  if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &universal))
    throw std::runtime_error("no such time for " + relative);
  const HANDLE handle = OpenForTimes(Path(relative));
  const bool set = handle != INVALID_HANDLE_VALUE && SetFileTime(handle, nullptr, nullptr, &universal);
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  if (!set) throw std::runtime_error("SetFileTime failed for " + relative);
}

void TempTree::ReadOnly(const std::string& relative) const {
  const std::string path = Path(relative);
  if (!SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) | FILE_ATTRIBUTE_READONLY))
    throw std::runtime_error("SetFileAttributes failed for " + relative);
}

// The process environment that GetEnvironmentVariable reads, as the Win32 host does.
EnvGuard::EnvGuard(const std::string& name, const char* value) : name_(name) {
  const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  had_ = size > 0;
  if (had_) {
    std::vector<char> old(size);
    GetEnvironmentVariableA(name.c_str(), old.data(), size);
    old_ = old.data();
  }
  SetEnvironmentVariableA(name.c_str(), value);
}

EnvGuard::~EnvGuard() { SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : nullptr); }

}  // namespace testsupport
