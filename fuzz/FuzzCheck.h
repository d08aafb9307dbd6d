#pragma once
// A property a fuzz target checks besides "no crash": when it fails, say which and abort, so
// that libFuzzer keeps the input as a finding.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, what)                                               \
  do {                                                                            \
    if (!(condition)) {                                                           \
      std::fprintf(stderr, "property failed: %s\n  (%s)\n", what, #condition);    \
      std::abort();                                                               \
    }                                                                             \
  } while (0)
