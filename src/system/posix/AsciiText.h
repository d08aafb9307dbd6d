#pragma once
// ASCII-only case folding: Windows paths compare without regard to case, and the host only
// folds the 26 Latin letters so that multi-byte names are never mangled.
#include <algorithm>
#include <string>
#include <string_view>

#include "system/TextTools.h"

namespace PosixHost {

inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
inline char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

inline std::string LowerAsciiText(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return TextTools::SameIgnoringAsciiCase(a, b);
}

}  // namespace PosixHost
