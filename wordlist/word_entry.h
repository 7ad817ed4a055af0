#pragma once
// One row's texts: word, reading and baseform, each a NUL-terminated Shift-JIS
// field of 256 bytes. A plain value owned by whoever fills it; zero-fill it
// (WordEntry entry{}) before filling it.

#include <cstddef>

#include "convert/reading_conversion.h"

inline constexpr size_t kWordFieldSize = 256;  // 255 bytes of text and the NUL

struct WordEntry {
  char word[kWordFieldSize];
  char reading[kWordFieldSize];
  char baseform[kWordFieldSize];
};

static_assert(kWordFieldSize == kBaseformSize, "a generated baseform fills a row field");
