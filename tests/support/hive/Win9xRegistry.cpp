// Format facts from the public description of the 9x registry file ("Windows 9x Registry File
// (CREG) format", libyal, and the record layouts published with it): a 32-byte header, the
// "RGKN" key navigation record of 28-byte key entries, then "RGDB" data blocks holding the
// keys' names and values. All numbers are little-endian.
#include "support/hive/Win9xRegistry.h"

#include <cctype>

#include "support/hive/Bytes.h"

namespace hivefixture {
namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRecordHeaderSize = 32;  // of the navigation record and of a data block
constexpr std::size_t kKeyEntrySize = 28;
constexpr std::size_t kNameEntryHeaderSize = 20;
constexpr std::size_t kValueEntryHeaderSize = 12;
constexpr std::uint32_t kNone = 0xFFFFFFFF;
// The root key has no name entry of its own.
constexpr std::uint16_t kNoNameEntry = 0xFFFF;

// A key entry's hash: the sum of the upper-case name's characters below 0x80.
std::uint32_t NameHash(std::string_view name) {
  std::uint32_t hash = 0;
  for (char c : name) {
    const auto upper = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper < 0x80) hash += upper;
  }
  return hash;
}

struct FlatKey {
  const HiveKey* key;
  std::size_t parent;  // index; kNone for the root
  std::vector<std::size_t> subkeys;
};

void Flatten(const HiveKey& key, std::size_t parent, std::vector<FlatKey>& keys) {
  const std::size_t index = keys.size();
  keys.push_back(FlatKey{&key, parent, {}});
  if (parent != kNone) keys[parent].subkeys.push_back(index);
  for (const HiveKey& sub : key.subkeys) Flatten(sub, index, keys);
}

// Entry offsets count from the start of the navigation record.
std::uint32_t EntryOffset(std::size_t index) {
  return static_cast<std::uint32_t>(kRecordHeaderSize + index * kKeyEntrySize);
}

// The navigation record. Its size is whole 4 KiB pages: the entries, then free space.
std::string Navigation(const std::vector<FlatKey>& keys) {
  const std::size_t used = kRecordHeaderSize + keys.size() * kKeyEntrySize;
  const std::size_t size = (used + 4095) / 4096 * 4096;
  std::string record = "RGKN";
  Put32(record, 4, static_cast<std::uint32_t>(size));
  Put32(record, 8, EntryOffset(0));  // where the root key's entry lies
  Put32(record, 12, static_cast<std::uint32_t>(used));
  record.resize(kRecordHeaderSize, '\0');
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const FlatKey& key = keys[i];
    std::uint32_t next = kNone;
    if (key.parent != kNone) {
      const std::vector<std::size_t>& siblings = keys[key.parent].subkeys;
      for (std::size_t s = 0; s + 1 < siblings.size(); ++s)
        if (siblings[s] == i) next = EntryOffset(siblings[s + 1]);
    }
    const std::size_t at = record.size();
    Put32(record, at, 0);
    Put32(record, at + 4, key.parent == kNone ? 0 : NameHash(key.key->name));
    Put32(record, at + 8, kNone);
    Put32(record, at + 12, key.parent == kNone ? kNone : EntryOffset(key.parent));
    Put32(record, at + 16, key.subkeys.empty() ? kNone : EntryOffset(key.subkeys.front()));
    Put32(record, at + 20, next);
    // Which name entry, in which data block, names the key: entry i - 1 of block 0 here.
    Put16(record, at + 24, key.parent == kNone ? kNoNameEntry : static_cast<std::uint32_t>(i - 1));
    Put16(record, at + 26, key.parent == kNone ? kNoNameEntry : 0);
  }
  record.resize(size, '\0');
  return record;
}

// A key's name entry: its name, then each value's type, name and data.
std::string NameEntry(const HiveKey& key, std::uint32_t number) {
  std::string entry(kNameEntryHeaderSize, '\0');
  entry += key.name;
  for (const HiveValue& value : key.values) {
    const std::size_t at = entry.size();
    Put32(entry, at, value.type);
    Put32(entry, at + 4, 0);
    Put16(entry, at + 8, static_cast<std::uint32_t>(value.name.size()));
    Put16(entry, at + 10, static_cast<std::uint32_t>(value.data.size()));
    entry.resize(at + kValueEntryHeaderSize);
    entry += value.name + value.data;
  }
  Put32(entry, 0, static_cast<std::uint32_t>(entry.size()));
  Put16(entry, 4, number);
  Put16(entry, 6, 0);  // the data block's number
  Put32(entry, 8, static_cast<std::uint32_t>(entry.size()));
  Put16(entry, 12, static_cast<std::uint32_t>(key.name.size()));
  Put16(entry, 14, static_cast<std::uint32_t>(key.values.size()));
  return entry;
}

std::string DataBlock(const std::vector<FlatKey>& keys) {
  std::string entries;
  for (std::size_t i = 1; i < keys.size(); ++i)
    entries += NameEntry(*keys[i].key, static_cast<std::uint32_t>(i - 1));
  std::string block = "RGDB";
  const auto size = static_cast<std::uint32_t>(kRecordHeaderSize + entries.size());
  Put32(block, 4, size);
  Put32(block, 8, 0);   // unused bytes
  Put16(block, 12, 0);
  Put16(block, 14, 0);  // the block's number
  Put32(block, 16, size);
  block.resize(kRecordHeaderSize, '\0');
  return block + entries;
}

}  // namespace

std::string WriteWin9xRegistry(const HiveKey& root) {
  std::vector<FlatKey> keys;
  Flatten(root, kNone, keys);
  const std::string navigation = Navigation(keys);
  std::string header = "CREG";
  Put16(header, 4, 0);  // version 1.0
  Put16(header, 6, 1);
  Put32(header, 8, static_cast<std::uint32_t>(kHeaderSize + navigation.size()));  // first block
  Put32(header, 12, 0);
  Put16(header, 16, 1);  // one data block
  header.resize(kHeaderSize, '\0');
  return header + navigation + DataBlock(keys);
}

}  // namespace hivefixture
