#include "system/posix/RegistryFile.h"

#include <vector>

#include "system/WindowsApi.h"
#include "system/posix/AsciiText.h"
#include "system/posix/Utf16.h"

namespace PosixHost {
namespace {

constexpr std::string_view kHive = "HKEY_LOCAL_MACHINE";

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// The export as 8-bit text: version 5 files are usually UTF-16LE with a byte-order mark.
std::string DecodeText(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
    return Utf16LeToUtf8(bytes.substr(2));
  if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0') return Utf16LeToUtf8(bytes);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return std::string(bytes);
}

// Physical lines joined where a line ends in "\" (long hex data is wrapped that way).
std::vector<std::string> LogicalLines(std::string_view text) {
  std::vector<std::string> lines;
  bool continuing = false;
  while (!text.empty()) {
    const std::size_t cut = text.find('\n');
    std::string_view line = TrimBlanks(text.substr(0, cut));
    text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
    const bool continues = !line.empty() && line.back() == '\\' && line.front() != '[' &&
                           line.front() != ';';
    if (continues) line.remove_suffix(1);
    if (continuing && !lines.empty())
      lines.back() += line;
    else
      lines.emplace_back(line);
    continuing = continues;
  }
  return lines;
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

bool IsTextType(std::uint32_t type) {
  return type == WindowsApi::kRegSz || type == WindowsApi::kRegExpandSz || type == 7;
}

// Text held as hex bytes: UTF-16LE in a version 5 file, 8-bit in a REGEDIT4 one. Single texts
// end with exactly one NUL, as the 8-bit query returns them.
std::string HexText(const std::string& bytes, std::uint32_t type, bool wide) {
  std::string text = wide ? Utf16LeToUtf8(bytes) : bytes;
  if (type == 7) return text;
  text = text.substr(0, text.find('\0'));
  text += '\0';
  return text;
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
  value.type = 3;  // REG_BINARY
  if (colon > 3) {
    const std::string_view typeText = data.substr(3, colon - 3);  // "(2)"
    if (typeText.size() < 3 || typeText.front() != '(' || typeText.back() != ')')
      return std::nullopt;
    auto type = HexNumber(typeText.substr(1, typeText.size() - 2), 8);
    if (!type) return std::nullopt;
    value.type = *type;
  }
  auto bytes = HexBytes(data.substr(colon + 1));
  if (!bytes) return std::nullopt;
  value.data = IsTextType(value.type) ? HexText(*bytes, value.type, wide) : *bytes;
  return value;
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

void ParseValueLine(std::string_view line, bool wide, RegistryKeyData& key) {
  std::size_t pos = 0;
  std::string name;
  if (line.front() == '@') {
    pos = 1;
  } else {
    auto quoted = QuotedText(line, pos);
    if (!quoted) return;
    name = LowerAsciiText(*quoted);
  }
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  if (pos >= line.size() || line[pos] != '=') return;
  const std::string_view data = TrimBlanks(line.substr(pos + 1));
  if (data == "-") {
    key.values.erase(name);
    return;
  }
  if (auto value = ParseData(data, wide)) key.values[name] = std::move(*value);
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
    auto& slot = key->subkeys[LowerAsciiText(name)];
    if (!slot) slot = std::make_unique<RegistryKeyData>();
    key = slot.get();
  }
  return key;
}

std::optional<RegistryTree> ParseRegistryExport(std::string_view fileBytes) {
  const std::vector<std::string> lines = LogicalLines(DecodeText(fileBytes));
  std::size_t first = 0;
  while (first < lines.size() && lines[first].empty()) ++first;
  if (first == lines.size()) return std::nullopt;
  bool wide;
  if (lines[first] == "REGEDIT4")
    wide = false;
  else if (lines[first] == "Windows Registry Editor Version 5.00")
    wide = true;
  else
    return std::nullopt;

  RegistryTree tree;
  RegistryKeyData* current = nullptr;
  for (std::size_t i = first + 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      auto path = KeyPath(line);
      current = nullptr;
      if (path) {
        current = tree.Add(*path);
        if (!current) return std::nullopt;  // deeper than any registry holds
      }
    } else if (current && (line.front() == '"' || line.front() == '@')) {
      ParseValueLine(line, wide, *current);
    }
  }
  return tree;
}

}  // namespace PosixHost
