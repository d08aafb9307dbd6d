// A 9x SYSTEM.DAT through libcreg. The file is read into memory from the descriptor the
// program was handed, and the library reads that memory through a libbfio memory range.
#include <libcreg.h>
#include <unistd.h>

#include <cerrno>

#include "hive/HiveReaders.h"

namespace HiveReaders {
namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;

std::optional<std::string> ReadWhole(int fd, std::size_t size) {
  std::string bytes(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = pread(fd, bytes.data() + done, size - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    done += static_cast<std::size_t>(got);
  }
  return bytes;
}

// Frees a library object when the scope ends, whatever the outcome. (The library's handles are
// all one integer type, so one deleter per type cannot tell them apart.)
template <typename Free>
struct AtEnd {
  Free free;
  ~AtEnd() { free(); }
};
template <typename Free>
AtEnd(Free) -> AtEnd<Free>;

// The library's error record, freed at the end of a call; only whether a call failed matters.
struct ErrorRecord {
  libcreg_error_t* error = nullptr;
  ~ErrorRecord() { libcreg_error_free(&error); }
};

std::string KeyPath(const std::vector<std::string>& names) {
  std::string path;
  for (const std::string& name : names) path += (path.empty() ? "" : "\\") + name;
  return path;
}

// Bytes the library hands out in two steps: their size, then the bytes.
template <typename SizeOf, typename Get>
std::optional<std::string> Take(libcreg_value_t* value, SizeOf sizeOf, Get get) {
  ErrorRecord record;
  std::size_t size = 0;
  if (sizeOf(value, &size, &record.error) != 1) return std::nullopt;
  std::string bytes(size, '\0');
  if (size > 0 &&
      get(value, reinterpret_cast<std::uint8_t*>(bytes.data()), size, &record.error) != 1)
    return std::nullopt;
  return bytes;
}

// The value's bytes; text as UTF-8 from the file's code page (Windows-1252 unless set).
std::optional<std::string> ValueData(libcreg_value_t* value, std::uint32_t type) {
  if (type == kRegSz || type == kRegExpandSz)
    return Take(value, libcreg_value_get_value_utf8_string_size, libcreg_value_get_value_utf8_string);
  return Take(value, libcreg_value_get_value_data_size, libcreg_value_get_value_data);
}

}  // namespace

std::optional<HiveLookup::Lookup> LookUpWin9x(int fd, std::size_t size,
                                              const std::vector<std::string>& keyNames,
                                              const std::optional<std::string>& value) {
  std::optional<std::string> bytes = ReadWhole(fd, size);
  if (!bytes) return std::nullopt;
  ErrorRecord record;
  libcreg_error_t** error = &record.error;
  libbfio_handle_t* handle = nullptr;
  const AtEnd freeHandle{[&] { libbfio_handle_free(&handle, nullptr); }};
  if (libbfio_memory_range_initialize(&handle, nullptr) != 1 ||
      libbfio_memory_range_set(handle, reinterpret_cast<std::uint8_t*>(bytes->data()),
                               bytes->size(), nullptr) != 1)
    return std::nullopt;
  libcreg_file_t* file = nullptr;
  const AtEnd freeFile{[&] { libcreg_file_free(&file, nullptr); }};
  if (libcreg_file_initialize(&file, error) != 1 ||
      libcreg_file_open_file_io_handle(file, handle, LIBCREG_OPEN_READ, error) != 1)
    return std::nullopt;
  const AtEnd closeFile{[&] { libcreg_file_close(file, nullptr); }};

  HiveLookup::Lookup lookup;
  libcreg_key_t* key = nullptr;
  const AtEnd freeKey{[&] { libcreg_key_free(&key, nullptr); }};
  const std::string path = KeyPath(keyNames);
  const int found = path.empty()
      ? libcreg_file_get_root_key(file, &key, error)
      : libcreg_file_get_key_by_utf8_path(file, reinterpret_cast<const std::uint8_t*>(path.data()),
                                          path.size(), &key, error);
  if (found < 0) return std::nullopt;
  if (found == 0 || !key) return lookup;
  lookup.keyFound = true;
  if (!value) return lookup;

  libcreg_value_t* foundValue = nullptr;
  const AtEnd freeValue{[&] { libcreg_value_free(&foundValue, nullptr); }};
  const int hasValue = libcreg_key_get_value_by_utf8_name(
      key, reinterpret_cast<const std::uint8_t*>(value->data()), value->size(), &foundValue,
      error);
  if (hasValue < 0) return std::nullopt;
  if (hasValue == 0 || !foundValue) return lookup;
  std::uint32_t type = 0;
  if (libcreg_value_get_value_type(foundValue, &type, error) != 1) return std::nullopt;
  std::size_t stored = 0;
  if (libcreg_value_get_value_data_size(foundValue, &stored, error) != 1)
    return std::nullopt;
  lookup.type = type;
  lookup.size = static_cast<std::uint32_t>(std::min<std::size_t>(stored, 0xFFFFFFFF));
  if (stored > HiveLookup::kLargestValue) {
    lookup.value = HiveLookup::ValueState::TooLarge;
    return lookup;
  }
  std::optional<std::string> data = ValueData(foundValue, type);
  if (!data || data->size() > HiveLookup::kLargestValue) return std::nullopt;
  lookup.data = std::move(*data);
  lookup.size = static_cast<std::uint32_t>(lookup.data.size());
  lookup.value = HiveLookup::ValueState::Found;
  return lookup;
}

}  // namespace HiveReaders
