#pragma once
// ASCII-only case folding: Windows paths compare without regard to case, and the host only
// folds the 26 Latin letters so that multi-byte names are never mangled.
#include <string>
#include <string_view>

#include "system/TextTools.h"

namespace PosixHost {

using TextTools::LowerAscii;
inline char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

inline std::string LowerAsciiText(std::string_view text) {
  return TextTools::ToLowerAscii(std::string(text));
}

inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return TextTools::SameIgnoringAsciiCase(a, b);
}

}  // namespace PosixHost
