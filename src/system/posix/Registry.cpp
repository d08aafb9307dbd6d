// RegOpenKeyEx/RegQueryValueEx/RegCloseKey over HKEY_LOCAL_MACHINE: the export file that
// QUILLFEN_REGISTRY names, or else the registry files of the Windows folder (windir).
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "system/HostSettings.h"
#include "system/WindowsApi.h"
#include "system/posix/AsciiText.h"
#include "system/posix/HiveFiles.h"
#include "system/posix/HiveReader.h"
#include "system/posix/FileId.h"
#include "system/posix/OpenedFile.h"
#include "system/posix/RegistryFile.h"

namespace PosixHost {
namespace {

constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorBadDatabase = 1009;  // ERROR_BADDB: the registry file cannot be read
constexpr off_t kLargestExport = 64 << 20;  // far beyond any export of one machine's keys

struct FileStamp {
  std::string path;
  FileId id;
  off_t size = 0;
  timespec modified{};

  bool operator==(const FileStamp& other) const {
    return path == other.path && id == other.id && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
  }
};

// The export, opened once and read from that descriptor; parsed again only when it is another
// file or has changed.
std::shared_ptr<const RegistryTree> LoadedExport(const std::string& path) {
  const std::optional<OpenedFile> file = OpenRegularFile(path, kLargestExport);
  if (!file) return nullptr;
  const struct stat& info = file->Info();
  const FileStamp stamp{path, FileId::Of(info), info.st_size, info.st_mtim};

  static FileStamp cachedStamp;
  static std::shared_ptr<const RegistryTree> cached;
  if (cached && cachedStamp == stamp) return cached;

  // A file that cannot be read whole is no registry, and no failure may end the program.
  try {
    const std::optional<std::string> bytes = file->ReadAll();
    if (!bytes) return nullptr;
    auto tree = ParseRegistryExport(*bytes);
    if (!tree) return nullptr;
    cached = std::make_shared<const RegistryTree>(std::move(*tree));
  } catch (const std::exception&) {
    return nullptr;
  }
  cachedStamp = stamp;
  return cached;
}

std::optional<std::string> ExportNamed() { return HostSettings::Current().registry; }

// A key path as the export's tree finds it: lower case, without a final "\".
std::string ExportKeyPath(const std::string& subKey) {
  std::string path = LowerAsciiText(subKey);
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// The registry files of the Windows the host shows: those of its windir (Environment.cpp).
std::shared_ptr<const HiveFile> MachineHive() {
  const auto windir = WindowsApi::EnvironmentValue("windir");
  if (!windir || windir->empty()) return nullptr;
  return OpenHiveFile(*windir);
}

// RegQueryValueEx's answer for a value it found.
long Answer(const RegistryValue& value, std::uint32_t& type, char* buffer, std::uint32_t& size) {
  type = value.type;
  const auto needed = static_cast<std::uint32_t>(value.data.size());
  if (!buffer) {  // a size query
    size = needed;
    return WindowsApi::kErrorSuccess;
  }
  if (size < needed) {
    size = needed;
    return WindowsApi::kErrorMoreData;
  }
  std::memcpy(buffer, value.data.data(), needed);
  size = needed;
  return WindowsApi::kErrorSuccess;
}

}  // namespace
}  // namespace PosixHost

namespace WindowsApi {

struct RegistryKey {
  // A key of an export: its tree, kept alive after a reload, and the key's data in it.
  std::shared_ptr<const PosixHost::RegistryTree> tree;
  const PosixHost::RegistryKeyData* data = nullptr;
  // A key of a registry file: the file as it was opened, and the key's path in it.
  std::shared_ptr<const PosixHost::HiveFile> hive;
  std::string hivePath;
};

long OpenMachineKey(const std::string& subKey, RegistryKey*& key) {
  using namespace PosixHost;
  key = nullptr;
  if (const auto exportPath = ExportNamed()) {
    auto tree = LoadedExport(*exportPath);
    if (!tree) return kErrorFileNotFound;  // no registry at all: no key opens
    const RegistryKeyData* found = tree->Find(ExportKeyPath(subKey));
    if (!found) return kErrorFileNotFound;
    key = new RegistryKey{tree, found, nullptr, {}};
    return kErrorSuccess;
  }
  auto hive = MachineHive();
  if (!hive) return kErrorFileNotFound;
  auto path = PathInHive(hive->kind, subKey);
  if (!path) return kErrorFileNotFound;
  const auto lookup = AskReader(ReaderProgram(), hive->file.Descriptor(), hive->kind, *path,
                                std::nullopt);
  if (!lookup || !lookup->keyFound) return kErrorFileNotFound;
  key = new RegistryKey{nullptr, nullptr, hive, *path};
  return kErrorSuccess;
}

long QueryKeyValue(RegistryKey* key, const std::string& valueName, std::uint32_t& type,
                   char* buffer, std::uint32_t& size) {
  using namespace PosixHost;
  if (key && key->data) {
    auto found = key->data->values.find(LowerAsciiText(valueName));
    if (found == key->data->values.end()) return kErrorFileNotFound;
    return Answer(found->second, type, buffer, size);
  }
  if (!key || !key->hive) return kErrorInvalidHandle;
  const HiveFile& hive = *key->hive;
  const auto lookup =
      AskReader(ReaderProgram(), hive.file.Descriptor(), hive.kind, key->hivePath, valueName);
  if (!lookup) return kErrorBadDatabase;
  if (!lookup->keyFound || lookup->value == HiveLookup::ValueState::Missing)
    return kErrorFileNotFound;
  if (lookup->value == HiveLookup::ValueState::TooLarge) {
    type = lookup->type;
    size = lookup->size;
    return kErrorMoreData;
  }
  // NT hives hold text as UTF-16LE; the reader hands 9x text over as UTF-8 already.
  const RegistryValue value =
      StoredValue(lookup->type, lookup->data, hive.kind == HiveLookup::Kind::Nt);
  return Answer(value, type, buffer, size);
}

void CloseKey(RegistryKey* key) { delete key; }

}  // namespace WindowsApi
