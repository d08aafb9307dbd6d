#include "support/hive/HiveKey.h"

#include <cctype>

namespace hivefixture {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

HiveKey& HiveKey::At(std::string_view path) {
  HiveKey* key = this;
  while (!path.empty()) {
    const std::size_t cut = path.find('\\');
    const std::string_view name = path.substr(0, cut);
    path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
    if (name.empty()) continue;
    HiveKey* found = nullptr;
    for (HiveKey& sub : key->subkeys)
      if (SameName(sub.name, name)) found = &sub;
    if (!found) {
      key->subkeys.push_back(HiveKey{std::string(name), {}, {}});
      found = &key->subkeys.back();
    }
    key = found;
  }
  return *key;
}

HiveKey& HiveKey::Set(std::string name, std::uint32_t type, std::string data) {
  values.push_back(HiveValue{std::move(name), type, std::move(data)});
  return *this;
}

std::string NtText(std::string_view text) {
  std::string wide;
  for (char c : text) {
    wide += c;
    wide += '\0';  // Latin-1 is the first 256 code points of UTF-16
  }
  return wide + std::string(2, '\0');
}

std::string Win9xText(std::string_view text) { return std::string(text) + '\0'; }

}  // namespace hivefixture
