#pragma once
// The bytes at the edges of code page 932's two lead-byte ranges (0x81 to
// 0x9F and 0xE0 to 0xFC), written out here rather than taken from the
// product, and texts that put them where a byte cut falls.

#include <string>

// The first and last byte of each range: each begins a double-byte character.
inline constexpr unsigned char kLeadBytesAtRangeEnds[] = {0x81, 0x9F, 0xE0, 0xFC};

// The bytes just outside the ranges: single bytes (0x80 and 0xA0 unassigned,
// 0xDF the last half-width katakana, 0xFD unassigned).
inline constexpr unsigned char kBytesJustOutsideLeadRanges[] = {0x80, 0xA0, 0xDF, 0xFD};

// `count` times `first` followed by '@' (0x40, a valid trail byte): that many
// double-byte characters when `first` is a lead byte, twice as many single
// bytes otherwise.
inline std::string PairsStartingWith(unsigned char first, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    text.push_back(static_cast<char>(first));
    text.push_back('@');
  }
  return text;
}
