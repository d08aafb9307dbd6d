// Format facts from the public description of the NT registry file ("Windows NT Registry File
// (REGF) format", libyal): a base block, then hive bins of cells; every offset in a cell counts
// from the start of the first hive bin.
#include "support/hive/NtHive.h"

#include <algorithm>
#include <cctype>

#include "support/hive/Bytes.h"

namespace hivefixture {
namespace {

constexpr std::size_t kBaseBlockSize = 4096;
constexpr std::size_t kPageSize = 4096;
constexpr std::size_t kBinHeaderSize = 32;
constexpr std::uint32_t kNone = 0xFFFFFFFF;
// 20 August 2004, 12:00 UTC as a FILETIME (100 ns since 1601): when the keys were last written.
constexpr std::uint64_t kWritten = (1093003200ull + 11644473600ull) * 10000000ull;

// Named-key flags: the hive's root, which cannot be deleted; a name of 8-bit characters.
constexpr std::uint16_t kHiveEntry = 0x0004;
constexpr std::uint16_t kNoDelete = 0x0008;
constexpr std::uint16_t kCompressedName = 0x0020;
// Value-key flag: a name of 8-bit characters.
constexpr std::uint16_t kValueCompressedName = 0x0001;
// A data size with this bit holds up to four bytes of data in the offset field itself.
constexpr std::uint32_t kDataInline = 0x80000000;

std::string Upper(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// The hash an "lh" list keeps for each subkey: over the upper-case name, times 37 plus each
// character.
std::uint32_t NameHash(std::string_view name) {
  std::uint32_t hash = 0;
  for (char c : Upper(name)) hash = hash * 37 + static_cast<unsigned char>(c);
  return hash;
}

// The hive bins' cells, each 8-byte aligned with its size in front: negative while in use.
class Cells {
 public:
  Cells() : bins_(kBinHeaderSize, '\0') {}

  std::uint32_t Add(const std::string& data) {
    const auto at = static_cast<std::uint32_t>(bins_.size());
    const std::size_t size = (4 + data.size() + 7) / 8 * 8;
    Put32(bins_, at, static_cast<std::uint32_t>(-static_cast<std::int32_t>(size)));
    bins_ += data;
    bins_.resize(at + size, '\0');
    return at;
  }
  // Fills in a cell added before its contents were known (a key names its parent and the lists
  // that come after it).
  void Fill(std::uint32_t at, const std::string& data) { bins_.replace(at + 4, data.size(), data); }

  // One bin of whole pages; the space after the last cell is one free cell.
  std::string Bin() const {
    std::string bin = bins_;
    const std::size_t size = (bin.size() + 8 + kPageSize - 1) / kPageSize * kPageSize;
    const std::size_t free = size - bin.size();
    Put32(bin, bin.size(), static_cast<std::uint32_t>(free));
    bin.resize(size, '\0');
    bin.replace(0, 4, "hbin");
    Put32(bin, 4, 0);  // the bin's own offset
    Put32(bin, 8, static_cast<std::uint32_t>(size));
    Put64(bin, 20, kWritten);
    return bin;
  }

 private:
  std::string bins_;
};

class Writer {
 public:
  std::string Write(const HiveKey& root) {
    security_ = cells_.Add(std::string(kSecurityRecordSize, '\0'));
    const std::uint32_t rootOffset = WriteKey(root, kNone);
    cells_.Fill(security_, SecurityRecord());
    const std::string bin = cells_.Bin();
    return BaseBlock(rootOffset, static_cast<std::uint32_t>(bin.size())) + bin;
  }

 private:
  // A self-relative security descriptor with no owner and a NULL access list (open to all).
  static constexpr std::size_t kDescriptorSize = 20;
  static constexpr std::size_t kSecurityRecordSize = 20 + kDescriptorSize;

  std::string SecurityRecord() const {
    std::string record = "sk";
    Put32(record, 4, security_);  // the list of security records holds this one alone
    Put32(record, 8, security_);
    Put32(record, 12, keys_);     // how many keys use it
    Put32(record, 16, kDescriptorSize);
    record += std::string(kDescriptorSize, '\0');
    record[20] = 1;                // revision
    Put16(record, 22, 0x8004);     // self-relative, access list present (null: open to all)
    return record;
  }

  std::uint32_t WriteValue(const HiveValue& value) {
    std::string record = "vk";
    Put16(record, 2, static_cast<std::uint32_t>(value.name.size()));
    const auto size = static_cast<std::uint32_t>(value.data.size());
    if (size <= 4) {
      Put32(record, 4, size | kDataInline);
      Put32(record, 8, 0);
      for (std::uint32_t i = 0; i < size; ++i) record[8 + i] = value.data[i];
    } else {
      Put32(record, 4, size);
      Put32(record, 8, cells_.Add(value.data));
    }
    Put32(record, 12, value.type);
    Put16(record, 16, kValueCompressedName);
    Put16(record, 18, 0);
    return cells_.Add(record + value.name);
  }

  std::uint32_t WriteKey(const HiveKey& key, std::uint32_t parent) {
    ++keys_;
    const std::uint32_t at = cells_.Add(std::string(76 + key.name.size(), '\0'));

    std::uint32_t valueList = kNone, longestValueName = 0, longestData = 0;
    if (!key.values.empty()) {
      std::string list;
      for (const HiveValue& value : key.values) {
        list.resize(list.size() + 4);
        Put32(list, list.size() - 4, WriteValue(value));
        longestValueName = std::max(longestValueName, static_cast<std::uint32_t>(value.name.size() * 2));
        longestData = std::max(longestData, static_cast<std::uint32_t>(value.data.size()));
      }
      valueList = cells_.Add(list);
    }

    // Windows keeps a key's subkeys sorted by upper-case name.
    std::vector<const HiveKey*> subkeys;
    for (const HiveKey& sub : key.subkeys) subkeys.push_back(&sub);
    std::stable_sort(subkeys.begin(), subkeys.end(), [](const HiveKey* a, const HiveKey* b) {
      return Upper(a->name) < Upper(b->name);
    });
    std::uint32_t subkeyList = kNone, longestName = 0;
    if (!subkeys.empty()) {
      std::string list = "lh";
      Put16(list, 2, static_cast<std::uint32_t>(subkeys.size()));
      for (const HiveKey* sub : subkeys) {
        const std::size_t entry = list.size();
        Put32(list, entry, WriteKey(*sub, at));
        Put32(list, entry + 4, NameHash(sub->name));
        longestName = std::max(longestName, static_cast<std::uint32_t>(sub->name.size() * 2));
      }
      subkeyList = cells_.Add(list);
    }

    std::string record = "nk";
    const bool isRoot = parent == kNone;
    Put16(record, 2, kCompressedName | (isRoot ? kHiveEntry | kNoDelete : 0));
    Put64(record, 4, kWritten);
    Put32(record, 12, 0);
    Put32(record, 16, isRoot ? 0 : parent);
    Put32(record, 20, static_cast<std::uint32_t>(subkeys.size()));
    Put32(record, 24, 0);  // no volatile subkeys in a file
    Put32(record, 28, subkeyList);
    Put32(record, 32, kNone);
    Put32(record, 36, static_cast<std::uint32_t>(key.values.size()));
    Put32(record, 40, valueList);
    Put32(record, 44, security_);
    Put32(record, 48, kNone);  // no class name
    Put32(record, 52, longestName);
    Put32(record, 56, 0);
    Put32(record, 60, longestValueName);
    Put32(record, 64, longestData);
    Put32(record, 68, 0);
    Put16(record, 72, static_cast<std::uint32_t>(key.name.size()));
    Put16(record, 74, 0);
    cells_.Fill(at, record + key.name);
    return at;
  }

  static std::string BaseBlock(std::uint32_t rootOffset, std::uint32_t binsSize) {
    std::string block = "regf";
    Put32(block, 4, 1);  // the two sequence numbers agree: the hive was written whole
    Put32(block, 8, 1);
    Put64(block, 12, kWritten);
    Put32(block, 20, 1);  // version 1.5, the XP format (subkey lists of kind "lh")
    Put32(block, 24, 5);
    Put32(block, 28, 0);  // a primary file, not a log
    Put32(block, 32, 1);
    Put32(block, 36, rootOffset);
    Put32(block, 40, binsSize);
    Put32(block, 44, 1);
    block.resize(kBaseBlockSize, '\0');
    // The checksum: the first 127 double words XORed; Windows never stores 0 or all ones.
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < 508; at += 4) sum ^= Get32(block, at);
    if (sum == 0) sum = 1;
    if (sum == 0xFFFFFFFF) sum = 0xFFFFFFFE;
    Put32(block, 508, sum);
    return block;
  }

  Cells cells_;
  std::uint32_t security_ = 0;
  std::uint32_t keys_ = 0;
};

}  // namespace

std::string WriteNtHive(const HiveKey& root) { return Writer().Write(root); }

}  // namespace hivefixture
