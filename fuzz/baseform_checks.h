#pragma once
// What every baseform the system makes must look like, checked by the fuzz
// targets: at most 255 bytes, symbols separated by single spaces, no space at
// either end. A failed check aborts, which the fuzzer reports as a crash.

#include <cstdio>
#include <cstdlib>
#include <cstring>

inline void CheckBaseformShape(const char* baseform, size_t capacity) {
  const size_t len = strnlen(baseform, capacity);
  if (len == capacity) {
    std::fputs("baseform not terminated within its field\n", stderr);
    std::abort();
  }
  if (len > 255 || (len > 0 && (baseform[0] == ' ' || baseform[len - 1] == ' ')) ||
      std::strstr(baseform, "  ") != nullptr) {
    std::fprintf(stderr, "malformed baseform: \"%s\"\n", baseform);
    std::abort();
  }
}
