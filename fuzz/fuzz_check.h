#pragma once

#include <cstdio>
#include <cstdlib>

// A property that failed: say which, then abort, so the fuzzer keeps the input as a crash.
#define FUZZ_CHECK(cond)                                                               \
  do {                                                                                 \
    if (!(cond)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (false)
