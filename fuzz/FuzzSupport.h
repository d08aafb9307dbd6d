#pragma once
// What the fuzz targets share: checking a property, and changing the case of ASCII letters.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "system/posix/AsciiText.h"

// A property a target checks besides "no crash": when it fails, say which and abort, so that
// libFuzzer keeps the input as a finding.
#define FUZZ_CHECK(condition, what)                                               \
  do {                                                                            \
    if (!(condition)) {                                                           \
      std::fprintf(stderr, "property failed: %s\n  (%s)\n", what, #condition);    \
      std::abort();                                                               \
    }                                                                             \
  } while (0)

// "Ab-ä" as "aB-ä": every ASCII letter in the other case, all else as it was.
inline std::string SwapAsciiCase(std::string_view text) {
  std::string swapped(text);
  for (char& c : swapped) {
    const char lower = PosixHost::LowerAscii(c);
    c = lower == c ? PosixHost::UpperAscii(c) : lower;
  }
  return swapped;
}
