#pragma once
// The platform seam: the Win32-shaped primitives the tool needs, in 8-bit text.
//
// Paths are Windows paths ("D:\WINDOWS\Windows Update.log"). The Win32 host answers with the
// real 8-bit calls; the POSIX host answers as a Windows machine would over the real file
// system. Names deliberately differ from the Win32 ones, so that <windows.h> macros
// (CopyFile -> CopyFileA, ...) never rename them in one translation unit and not in another.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace WindowsApi {

// Directory-entry attribute bits, as Windows numbers them.
constexpr std::uint32_t kAttrReadOnly = 0x01;
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrSystem = 0x04;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrArchive = 0x20;
constexpr std::uint32_t kAttrNormal = 0x80;
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFFu;

// A date and time in local time.
struct LocalTime {
  int year = 0;
  int month = 0;   // 1..12
  int day = 0;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
};

// One entry of a folder listing.
struct FindData {
  std::string name;  // bare name, already cut at its first NUL
  std::uint32_t attributes = 0;
  LocalTime modified;
};

// The operating system's own listing (FindFirstFile/FindNextFile/FindClose).
// `pattern` is a folder path followed by a last component that may hold "*" and "?"
// ("C:\WINDOWS\*.*"). Every matching entry comes back, hidden and system ones included,
// and "." and ".." as Windows lists them in a folder that is not a drive root.
// The result is a snapshot: file operations made while a caller walks it disturb nothing.
// Returns false when the listing cannot be started (no such folder, no access, nothing
// matches); `entries` is then empty.
//
// `facts` says what the caller needs to know of each entry. A host that must ask the disk for
// each fact separately leaves the others unread: their bits and the time read as zero. The
// entries listed are the same whatever is asked for.
enum class Facts {
  Kind,        // the folder bit
  Visibility,  // the folder, hidden and system bits: whether a pattern listing shows it
  All,         // every attribute bit and the modification time
};
bool ListFolder(const std::string& pattern, std::vector<FindData>& entries,
                Facts facts = Facts::All);

// Whether a folder that exists may be listed: false when the listing is refused (no access).
// A listing that finds nothing cannot tell an empty drive root (which lists no "." or "..")
// from one that may not be read; this can.
bool CanListFolder(const std::string& folder);

// GetFileAttributes: the attribute bits of a file or folder, kInvalidAttributes on failure.
std::uint32_t FileAttributes(const std::string& path);

// What identifies a file or folder whatever path reaches it (volume and file index), so a
// recursion can tell a folder it has entered already through another path or a link.
struct EntryId {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  auto operator<=>(const EntryId&) const = default;
};
std::optional<EntryId> EntryIdentity(const std::string& path);

// The last-modification date and time of a file or folder in local time.
std::optional<LocalTime> ModifiedTime(const std::string& path);

// CopyFile with "fail if exists" false: replaces the destination, keeps the source's
// modification time, and never leaves a truncated file under the destination name.
// A copy of a file onto itself is refused (false) and changes nothing.
bool CopyFileReplacing(const std::string& source, const std::string& destination);

// CreateDirectory: one level; its parent must exist. `copyOf`, when given, is the folder the new
// one is a copy of: the POSIX host gives the new folder no wider access for others than that
// one has (Windows folders carry no such bits, and its host makes the folder as it always does).
bool MakeFolder(const std::string& path, const std::string& copyOf = {});

// RemoveDirectory: only an empty folder.
bool RemoveEmptyFolder(const std::string& path);

// DeleteFile.
bool DeleteOneFile(const std::string& path);

// Writes a whole file holding exactly these bytes, replacing any file of that name. It is
// written beside and renamed into place, so a failure never leaves a half-written file and
// never harms an older one. Returns false when it cannot be written whole.
bool WriteWholeFile(const std::string& path, const unsigned char* data, std::size_t size);

// A run of calls over the same folders: a scan and its save. While one lasts the host may
// keep what it has found: a folder it has walked to stays open and is not walked again, and
// what a listing said of a file answers the later questions about that file, unless the host
// itself has changed it since. What others change meanwhile may go unseen, but a folder moved
// or swapped under the run is still the one that was judged. Runs nest; the Win32 host keeps
// nothing.
class RunScope {
 public:
  RunScope();
  ~RunScope();
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;
};

// One save at a time into a save folder: a hold on it lasts until the returned object goes.
// Another save into the same folder (another window, another program) is waited for a few
// seconds; null when it still holds the folder then. Where a hold cannot be taken (a file
// system without locks; Windows 95 and 98 have no lock for a folder, so the Win32 host holds
// nothing) the object holds nothing and the save goes on as before.
struct FolderHold {
  virtual ~FolderHold() = default;
};
std::unique_ptr<FolderHold> HoldSaveFolder(const std::string& folder);

// Makes an interrupt (Ctrl-C, a request to end) first remove the temporary file being
// written, so no half-written copy is left behind; the program then ends as the interrupt
// asks. Called once, at the start of the program.
void RemoveTemporaryOnInterrupt();

// The bytes of the program's built-in resource of type "CUSTOM" with this identifier (101: the
// README text); empty when the program holds no such resource.
std::span<const unsigned char> CustomResource(int id);

// An environment variable; nullopt when it is not set.
std::optional<std::string> EnvironmentValue(const std::string& name);

// The registry, HKEY_LOCAL_MACHINE only, read only.
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorMoreData = 234;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegDword = 4;

struct RegistryKey;  // opaque, owned by the host
// RegOpenKeyEx(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, &key).
long OpenMachineKey(const std::string& subKey, RegistryKey*& key);
// RegQueryValueEx: `size` holds the buffer's size on entry and the value's size on return
// (text values count their terminating NUL). kErrorMoreData when the buffer is too small.
long QueryKeyValue(RegistryKey* key, const std::string& valueName, std::uint32_t& type,
                   char* buffer, std::uint32_t& size);
// RegCloseKey.
void CloseKey(RegistryKey* key);

// GetVersionEx's OSVERSIONINFOA, 8-bit form.
struct VersionRecord {
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t buildNumber = 0;
  std::uint32_t platformId = 0;
  char csdVersion[128] = {};  // service-pack text, NUL-terminated
};
bool QueryVersion(VersionRecord& record);

// The current local date and time, to whole seconds.
LocalTime Now();
// A date in the user's short-date format and a time in the user's long-time format.
std::string ShortDateText(const LocalTime& time);
std::string LongTimeText(const LocalTime& time);

// The drives of the machine, in letter order, each entry beginning with the letter and a
// colon ("c: [/media/old]").
std::vector<std::string> DriveEntries();

// The machine's own spelling of paths, for what meets the machine outside the engine: the
// folder picker, the shell opener, the current folder. On Windows the two are one.
// A native path in Windows form, through the drive that holds it (a drive root keeps its
// final "\"); empty text when no drive holds it.
std::string WindowsPathOf(const std::string& nativePath);
// The native path a Windows path names; nullopt when no drive holds it.
std::optional<std::string> NativePathOf(const std::string& windowsPath);
// The process's current folder in Windows form; empty text when no drive holds it.
std::string CurrentFolder();

}  // namespace WindowsApi
