#pragma once
// Shift-JIS (code page 932) text helpers shared by the readers, the word list
// and the conversion. Every copy into a fixed buffer goes through CopySjisText.

#include <cstddef>
#include <cstring>
#include <string_view>

// A byte that begins a double-byte character.
constexpr bool IsSjisLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// A byte that may end a double-byte character (the second of a pair).
constexpr bool IsSjisTrailByte(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// A lead byte of the kanji rows (the first kanji, 亜, is 0x88 0x9F).
constexpr bool IsSjisKanjiLeadByte(unsigned char b) {
  return (b >= 0x88 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The length of the longest start of `text` that is at most `limit` bytes and
// does not end between the two bytes of a double-byte character. The text is
// walked from its first byte, so a trail byte is never taken for a lead byte.
constexpr size_t SjisPrefixLength(std::string_view text, size_t limit) {
  if (text.size() <= limit) return text.size();
  size_t pos = 0;
  while (pos < limit) {
    const size_t width = IsSjisLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    if (pos + width > limit) break;
    pos += width;
  }
  return pos;
}

// Copies at most `limit` bytes of `text` (and never more than the buffer's
// size less one) into `dest`, cut at a character boundary, NUL-terminated.
// Returns the number of bytes copied.
template <size_t N>
size_t CopySjisText(char (&dest)[N], std::string_view text, size_t limit = N - 1) {
  static_assert(N > 0);
  const size_t n = SjisPrefixLength(text, limit < N - 1 ? limit : N - 1);
  std::memcpy(dest, text.data(), n);
  dest[n] = '\0';
  return n;
}
