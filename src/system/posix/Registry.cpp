// RegOpenKeyEx/RegQueryValueEx/RegCloseKey over the export file QUILLFEN_REGISTRY names.
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>

#include "system/WindowsApi.h"
#include "system/posix/AsciiText.h"
#include "system/posix/RegistryFile.h"

namespace PosixHost {
namespace {

constexpr long kErrorInvalidHandle = 6;
constexpr off_t kLargestExport = 64 << 20;  // far beyond any export of one machine's keys

struct FileStamp {
  std::string path;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};

  bool operator==(const FileStamp& other) const {
    return path == other.path && device == other.device && inode == other.inode &&
           size == other.size && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
  }
};

// The file is parsed again only when it is another file or has changed.
std::shared_ptr<const RegistryTree> LoadedRegistry() {
  const char* path = std::getenv("QUILLFEN_REGISTRY");
  if (!path || !*path) return nullptr;
  struct stat info;
  if (stat(path, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kLargestExport)
    return nullptr;
  const FileStamp stamp{path, info.st_dev, info.st_ino, info.st_size, info.st_mtim};

  static std::mutex guard;
  static FileStamp cachedStamp;
  static std::shared_ptr<const RegistryTree> cached;
  std::lock_guard<std::mutex> lock(guard);
  if (cached && cachedStamp == stamp) return cached;

  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  // A file that cannot be read whole is no registry, and no failure may end the program.
  try {
    auto tree = ParseRegistryExport(bytes.str());
    if (!tree) return nullptr;
    cached = std::make_shared<const RegistryTree>(std::move(*tree));
  } catch (const std::exception&) {
    return nullptr;
  }
  cachedStamp = stamp;
  return cached;
}

}  // namespace
}  // namespace PosixHost

namespace WindowsApi {

struct RegistryKey {
  std::shared_ptr<const PosixHost::RegistryTree> tree;  // keeps the key alive after a reload
  const PosixHost::RegistryKeyData* data = nullptr;
};

long OpenMachineKey(const std::string& subKey, RegistryKey*& key) {
  key = nullptr;
  auto tree = PosixHost::LoadedRegistry();
  if (!tree) return kErrorFileNotFound;  // no registry at all: no key opens
  std::string path = PosixHost::LowerAsciiText(subKey);
  while (!path.empty() && path.back() == '\\') path.pop_back();
  const PosixHost::RegistryKeyData* found = tree->Find(path);
  if (!found) return kErrorFileNotFound;
  key = new RegistryKey{tree, found};
  return kErrorSuccess;
}

long QueryKeyValue(RegistryKey* key, const std::string& valueName, std::uint32_t& type,
                   char* buffer, std::uint32_t& size) {
  if (!key || !key->data) return PosixHost::kErrorInvalidHandle;
  auto found = key->data->values.find(PosixHost::LowerAsciiText(valueName));
  if (found == key->data->values.end()) return kErrorFileNotFound;
  const PosixHost::RegistryValue& value = found->second;
  type = value.type;
  const auto needed = static_cast<std::uint32_t>(value.data.size());
  if (!buffer) {  // a size query
    size = needed;
    return kErrorSuccess;
  }
  if (size < needed) {
    size = needed;
    return kErrorMoreData;
  }
  std::memcpy(buffer, value.data.data(), needed);
  size = needed;
  return kErrorSuccess;
}

void CloseKey(RegistryKey* key) { delete key; }

}  // namespace WindowsApi
