// An NT hive through libhivex. The library opens files by name, so it is given the name of the
// descriptor the program was handed: /proc/self/fd/N opens that very file again.
#include <hivex.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "hive/HiveReaders.h"

namespace HiveReaders {
namespace {

struct HiveCloser {
  void operator()(hive_h* hive) const { hivex_close(hive); }
};

}  // namespace

std::optional<HiveLookup::Lookup> LookUpNt(int fd, const std::vector<std::string>& keyNames,
                                           const std::optional<std::string>& value) {
  const std::string name = "/proc/self/fd/" + std::to_string(fd);
  std::unique_ptr<hive_h, HiveCloser> hive(hivex_open(name.c_str(), 0));
  if (!hive) return std::nullopt;
  hive_node_h node = hivex_root(hive.get());
  if (!node) return std::nullopt;

  HiveLookup::Lookup lookup;
  // The library answers 0 both for "no such name" and for a failure; errno tells them apart.
  for (const std::string& keyName : keyNames) {
    errno = 0;
    node = hivex_node_get_child(hive.get(), node, keyName.c_str());
    if (!node) {
      if (errno != 0) return std::nullopt;
      return lookup;
    }
  }
  lookup.keyFound = true;
  if (!value) return lookup;

  errno = 0;
  const hive_value_h found = hivex_node_get_value(hive.get(), node, value->c_str());
  if (!found) {
    if (errno != 0) return std::nullopt;
    return lookup;
  }
  hive_type type;
  std::size_t size = 0;
  if (hivex_value_type(hive.get(), found, &type, &size) != 0) return std::nullopt;
  lookup.type = static_cast<std::uint32_t>(type);
  lookup.size = static_cast<std::uint32_t>(std::min<std::size_t>(size, 0xFFFFFFFF));
  if (size > HiveLookup::kLargestValue) {
    lookup.value = HiveLookup::ValueState::TooLarge;
    return lookup;
  }
  char* data = hivex_value_value(hive.get(), found, &type, &size);
  if (!data) return std::nullopt;
  lookup.data.assign(data, size);
  std::free(data);
  lookup.size = static_cast<std::uint32_t>(size);
  lookup.value = HiveLookup::ValueState::Found;
  return lookup;
}

}  // namespace HiveReaders
