#include "system/posix/RegistryFile.h"

#include <algorithm>
#include <vector>

#include "system/WindowsApi.h"
#include "system/posix/AsciiText.h"
#include "system/posix/Utf16.h"

namespace PosixHost {
namespace {

constexpr std::string_view kHive = "HKEY_LOCAL_MACHINE";

// A key's node in its parent's map, its own two maps, and the allocator's bookkeeping: 192
// bytes on 64-bit Linux, counted high. Likewise a value's node with its type.
constexpr std::size_t kKeyCost = 224;
constexpr std::size_t kValueCost = 128;

// What a string holds outside itself: longer texts live on the heap, with the allocator's
// bookkeeping.
std::size_t HeapCost(const std::string& text) {
  return text.size() < 16 ? 0 : (text.size() + 1 + 8 + 15) / 16 * 16;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// The export as 8-bit text: version 5 files are usually UTF-16LE with a byte-order mark, and
// are converted into `converted`; any other file is its own text.
std::string_view DecodeText(std::string_view bytes, std::string& converted) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    converted = Utf16LeToUtf8(bytes.substr(2));
    return converted;
  }
  if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0') {
    converted = Utf16LeToUtf8(bytes);
    return converted;
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return bytes;
}

// Calls `visit` with each logical line: physical lines joined where a line ends in "\" (long
// hex data is wrapped that way). A joined line is counted against the tree's budget while it
// is held. False when the budget runs out or `visit` says to stop.
template <typename Visit>
bool ForEachLogicalLine(std::string_view text, RegistryTree& tree, Visit visit) {
  std::string joined;
  std::size_t charged = 0;
  bool continuing = false;
  while (!text.empty()) {
    const std::size_t cut = text.find('\n');
    std::string_view line = TrimBlanks(text.substr(0, cut));
    text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
    const bool continues = !line.empty() && line.back() == '\\' && line.front() != '[' &&
                           line.front() != ';';
    if (continues) line.remove_suffix(1);
    if (!continuing && !continues) {
      if (!visit(line)) return false;
      continue;
    }
    // Twice the line: the joined text may take that much while it grows.
    if (!tree.Charge(2 * line.size())) return false;
    charged += 2 * line.size();
    joined += line;
    continuing = continues;
    if (continuing) continue;
    const bool goOn = visit(joined);
    tree.Refund(charged);
    charged = 0;
    joined = std::string();
    if (!goOn) return false;
  }
  const bool goOn = !continuing || visit(joined);  // the file ends inside a joined line
  tree.Refund(charged);
  return goOn;
}

// A quoted string from `pos` (at its opening quote), with the export's escapes \\ and \".
std::optional<std::string> QuotedText(std::string_view line, std::size_t& pos) {
  if (pos >= line.size() || line[pos] != '"') return std::nullopt;
  std::string text;
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      ++pos;
      return text;
    }
    if (c == '\\' && pos + 1 < line.size() && (line[pos + 1] == '\\' || line[pos + 1] == '"'))
      ++pos;
    text += line[pos];
  }
  return std::nullopt;  // no closing quote
}

std::optional<unsigned> HexNumber(std::string_view digits, std::size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  unsigned value = 0;
  for (char c : digits) {
    c = LowerAscii(c);
    if (c >= '0' && c <= '9') value = value * 16 + static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'f') value = value * 16 + static_cast<unsigned>(c - 'a' + 10);
    else return std::nullopt;
  }
  return value;
}

// "41,00,42,00" (blanks allowed) as bytes.
std::optional<std::string> HexBytes(std::string_view list) {
  std::string bytes;
  list = TrimBlanks(list);
  while (!list.empty()) {
    const std::size_t cut = list.find(',');
    auto value = HexNumber(TrimBlanks(list.substr(0, cut)), 2);
    if (!value) return std::nullopt;
    bytes += static_cast<char>(*value);
    list = cut == std::string_view::npos ? std::string_view() : list.substr(cut + 1);
  }
  return bytes;
}

constexpr std::uint32_t kRegMultiSz = 7;

bool IsTextType(std::uint32_t type) {
  return type == WindowsApi::kRegSz || type == WindowsApi::kRegExpandSz || type == kRegMultiSz;
}

// The data after "=": "text", dword:xxxxxxxx, hex:.., hex(n):..
std::optional<RegistryValue> ParseData(std::string_view data, bool wide) {
  RegistryValue value;
  if (!data.empty() && data.front() == '"') {
    std::size_t pos = 0;
    auto text = QuotedText(data, pos);
    if (!text) return std::nullopt;
    value.type = WindowsApi::kRegSz;
    value.data = *text + '\0';
    return value;
  }
  const std::string lower = LowerAsciiText(data.substr(0, 16));
  if (lower.rfind("dword:", 0) == 0) {
    auto number = HexNumber(TrimBlanks(data.substr(6)), 8);
    if (!number) return std::nullopt;
    value.type = WindowsApi::kRegDword;
    for (int shift = 0; shift < 32; shift += 8) value.data += static_cast<char>(*number >> shift);
    return value;
  }
  if (lower.rfind("hex", 0) != 0) return std::nullopt;
  std::size_t colon = data.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::uint32_t type = 3;  // REG_BINARY
  if (colon > 3) {
    const std::string_view typeText = data.substr(3, colon - 3);  // "(2)"
    if (typeText.size() < 3 || typeText.front() != '(' || typeText.back() != ')')
      return std::nullopt;
    auto number = HexNumber(typeText.substr(1, typeText.size() - 2), 8);
    if (!number) return std::nullopt;
    type = *number;
  }
  auto bytes = HexBytes(data.substr(colon + 1));
  if (!bytes) return std::nullopt;
  // Text held as hex bytes: UTF-16LE in a version 5 file, 8-bit in a REGEDIT4 one.
  return StoredValue(type, *bytes, wide);
}

// "[HKEY_LOCAL_MACHINE\Software\X]" -> "software\x"; nullopt for other hives and deletions.
std::optional<std::string> KeyPath(std::string_view line) {
  const std::size_t close = line.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  std::string_view inside = line.substr(1, close - 1);
  if (inside.empty() || inside.front() == '-') return std::nullopt;
  const std::size_t cut = inside.find('\\');
  if (!SameIgnoringCase(inside.substr(0, cut), kHive)) return std::nullopt;
  std::string path = cut == std::string_view::npos ? "" : LowerAsciiText(inside.substr(cut + 1));
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// The components of a key path, "" giving none.
std::vector<std::string_view> KeyNames(std::string_view path) {
  std::vector<std::string_view> names;
  while (!path.empty()) {
    const std::size_t cut = path.find('\\');
    names.push_back(path.substr(0, cut));
    path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
  }
  return names;
}

// A value line of `key`; false only when the tree's budget runs out (a line that cannot be
// read is passed over).
bool ParseValueLine(std::string_view line, bool wide, RegistryTree& tree, RegistryKeyData& key) {
  std::size_t pos = 0;
  std::string name;
  if (line.front() == '@') {
    pos = 1;
  } else {
    auto quoted = QuotedText(line, pos);
    if (!quoted) return true;
    name = LowerAsciiText(*quoted);
  }
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  if (pos >= line.size() || line[pos] != '=') return true;
  const std::string_view data = TrimBlanks(line.substr(pos + 1));
  if (data == "-") {
    key.values.erase(name);
    return true;
  }
  auto value = ParseData(data, wide);
  return !value || tree.SetValue(key, std::move(name), std::move(*value));
}

}  // namespace

const RegistryKeyData* RegistryTree::Find(std::string_view path) const {
  const RegistryKeyData* key = &hive_;
  for (std::string_view name : KeyNames(path)) {
    auto found = key->subkeys.find(LowerAsciiText(name));
    if (found == key->subkeys.end()) return nullptr;
    key = found->second.get();
  }
  return key;
}

RegistryKeyData* RegistryTree::Add(std::string_view path) {
  const std::vector<std::string_view> names = KeyNames(path);
  if (names.size() > kMaxKeyDepth) return nullptr;
  RegistryKeyData* key = &hive_;
  for (std::string_view name : names) {
    std::string lower = LowerAsciiText(name);
    auto found = key->subkeys.find(lower);
    if (found == key->subkeys.end()) {
      if (!Charge(kKeyCost + HeapCost(lower))) return nullptr;
      found = key->subkeys.emplace(std::move(lower), std::make_unique<RegistryKeyData>()).first;
    }
    key = found->second.get();
  }
  return key;
}

bool RegistryTree::SetValue(RegistryKeyData& key, std::string lowerName, RegistryValue value) {
  if (!Charge(kValueCost + HeapCost(lowerName) + HeapCost(value.data))) return false;
  key.values[std::move(lowerName)] = std::move(value);
  return true;
}

bool RegistryTree::Charge(std::size_t bytes) {
  if (bytes > left_) return false;
  left_ -= bytes;
  counted_ += bytes;
  return true;
}

RegistryValue StoredValue(std::uint32_t type, const std::string& bytes, bool wideText) {
  RegistryValue value;
  value.type = type;
  if (!IsTextType(type)) {
    value.data = bytes;
    return value;
  }
  value.data = wideText ? Utf16LeToUtf8(bytes) : bytes;
  if (type == kRegMultiSz) return value;  // its texts and NULs as they are
  value.data.resize(std::min(value.data.find('\0'), value.data.size()));
  value.data += '\0';
  return value;
}

std::optional<RegistryTree> ParseRegistryExport(std::string_view fileBytes) {
  std::string converted;
  const std::string_view text = DecodeText(fileBytes, converted);
  RegistryTree tree(kParseMemoryPerByte * text.size() + kParseFloor);
  if (!tree.Charge(text.size())) return std::nullopt;

  bool headed = false, wide = false, unreadable = false;
  RegistryKeyData* current = nullptr;
  const bool read = ForEachLogicalLine(text, tree, [&](std::string_view line) {
    if (!headed) {  // blank lines, then the header
      if (line.empty()) return true;
      headed = line == "REGEDIT4" || line == "Windows Registry Editor Version 5.00";
      wide = line != "REGEDIT4";
      return headed;
    }
    if (line.empty() || line.front() == ';') return true;
    if (line.front() == '[') {
      auto path = KeyPath(line);
      current = path ? tree.Add(*path) : nullptr;
      // Deeper than any registry holds, or more than the budget allows.
      unreadable = path && !current;
      return !unreadable;
    }
    if (current && (line.front() == '"' || line.front() == '@'))
      return ParseValueLine(line, wide, tree, *current);
    return true;
  });
  if (!read || !headed || unreadable) return std::nullopt;
  return tree;
}

}  // namespace PosixHost
