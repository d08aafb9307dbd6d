#include "ui/qt/EditText.h"

#include <cstdint>

namespace EditText {
namespace {

// One piece of the program's text that becomes one or two UTF-16 units in the editor.
struct Unit {
  std::size_t bytes = 1;
  char32_t code = 0;  // what the editor shows
};

// The length of a well-formed UTF-8 sequence starting at `at` and its code point, or 0.
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(at);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < minimum || code > 0x10FFFF || surrogate) return 0;
  return length;
}

Unit NextUnit(std::string_view text, std::size_t at) {
  const char c = text[at];
  if (c == '\r') return {at + 1 < text.size() && text[at + 1] == '\n' ? 2u : 1u, U'\n'};
  if (static_cast<std::uint8_t>(c) < 0x80) return {1, static_cast<char32_t>(c)};
  char32_t code = 0;
  const std::size_t length = DecodeUtf8(text, at, code);
  if (length == 0) return {1, U'\uFFFD'};
  return {length, code};
}

int Utf16Length(char32_t code) { return code > 0xFFFF ? 2 : 1; }

}  // namespace

QString ToEditor(std::string_view text) {
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (std::size_t at = 0; at < text.size();) {
    const Unit unit = NextUnit(text, at);
    if (unit.code > 0xFFFF) {
      result.append(QChar::highSurrogate(unit.code));
      result.append(QChar::lowSurrogate(unit.code));
    } else {
      result.append(QChar(static_cast<char16_t>(unit.code)));
    }
    at += unit.bytes;
  }
  return result;
}

int EditorPosition(std::string_view text, std::size_t byteOffset) {
  int position = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Unit unit = NextUnit(text, at);
    if (at + unit.bytes > byteOffset) break;
    at += unit.bytes;
    position += Utf16Length(unit.code);
  }
  return position;
}

std::size_t ByteOffset(std::string_view text, int editorPosition) {
  int position = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const Unit unit = NextUnit(text, at);
    if (position + Utf16Length(unit.code) > editorPosition) break;
    position += Utf16Length(unit.code);
    at += unit.bytes;
  }
  return at;
}

}  // namespace EditText
