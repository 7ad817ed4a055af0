#pragma once
// Code page 932 (Shift-JIS) in one place: which bytes begin and end a
// double-byte character, cuts at whole characters, and conversion to and
// from UTF-8. Every other file asks here; no byte range is written anywhere
// else. The conversion is iconv on POSIX systems (sjis_text_posix.cpp) and
// the code-page functions on Windows (sjis_text_win32.cpp); from code page
// 932 to UTF-8 it goes through a table made from them (SjisUtf8Table).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The number Windows gives code page 932.
inline constexpr unsigned kShiftJisCodePage = 932;

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

// The bytes of the character that starts `text` (1 or 2), or 0 when its first
// byte begins none: an unassigned single byte (0x80, 0xA0, 0xFD to 0xFF), or
// a lead byte without a trail byte after it. 0 for an empty text.
constexpr size_t SjisCharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto b = static_cast<unsigned char>(text[0]);
  if (!IsSjisLeadByte(b)) return b == 0x80 || b == 0xA0 || b >= 0xFD ? 0 : 1;
  return text.size() >= 2 && IsSjisTrailByte(static_cast<unsigned char>(text[1])) ? 2 : 0;
}

// The width a walk from the start gives the character at the front of
// `text`: 2 for a lead byte with a byte after it, otherwise 1. Unlike
// SjisCharacterLength it never stops: a stray byte is stepped over alone.
constexpr size_t SjisStepLength(std::string_view text) {
  return text.size() >= 2 && IsSjisLeadByte(static_cast<unsigned char>(text[0])) ? 2 : 1;
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

// Both return false, leaving `out` unspecified, when `in` is not valid in its
// encoding or holds a character the other cannot represent: nothing is ever
// replaced by "?".
bool ConvertSjisToUtf8(std::string_view in, std::string& out);
bool ConvertUtf8ToSjis(std::string_view in, std::string& out);

// Code page 932 converts each character on its own, so the platform's
// conversion is asked once for every byte and every pair beginning with a
// lead byte, and the table of what it gave serves every later conversion
// (ConvertSjisToUtf8, and callers that go character by character) without a
// call per text.
class SjisUtf8Table {
 public:
  // `convert(bytes, utf8)` is the platform's conversion: false when it maps
  // `bytes` to nothing.
  template <typename Convert>
  explicit SjisUtf8Table(Convert convert) {
    std::string utf8;
    char bytes[2];
    for (int b = 0; b < 256; ++b) {
      bytes[0] = static_cast<char>(b);
      if (!IsSjisLeadByte(static_cast<unsigned char>(b))) {
        Fill(entries_[b], 1, convert(std::string_view(bytes, 1), utf8), utf8);
        continue;
      }
      // A lead byte and a byte that ends no pair are no character, whatever
      // the platform makes of them.
      row_[b] = ++rows_;
      for (int trail = 0; trail < 256; ++trail) {
        if (!IsSjisTrailByte(static_cast<unsigned char>(trail))) continue;
        bytes[1] = static_cast<char>(trail);
        Fill(entries_[row_[b] * 256 + trail], 2, convert(std::string_view(bytes, 2), utf8), utf8);
      }
    }
  }

  // The UTF-8 of the character at the start of `text`: its first byte, or
  // its first two when that is a lead byte. Empty when code page 932 gives it
  // none (a byte or pair that is no character, a lead byte at the end of
  // `text`).
  std::string_view Of(std::string_view text) const {
    if (text.empty()) return {};
    const auto b = static_cast<unsigned char>(text[0]);
    const uint8_t row = row_[b];
    if (row == 0) return Text(entries_[b]);
    if (text.size() < 2) return {};
    return Text(entries_[row * 256 + static_cast<unsigned char>(text[1])]);
  }

  // What WriteUtf8 may write past its result: a whole entry, whatever the
  // character gives.
  static constexpr size_t kWriteRoom = 8;

  // Writes the UTF-8 of the character at `character` (one byte, or two when
  // the first is a lead byte: the caller has made sure both are there) to
  // `out`, which has room for kWriteRoom bytes, and returns its length: 0
  // when code page 932 gives it none. A fixed-width copy, as callers convert
  // character by character.
  size_t WriteUtf8(const char* character, char* out) const {
    const auto b = static_cast<unsigned char>(character[0]);
    const uint8_t row = row_[b];
    const Entry& entry = entries_[row == 0 ? b : row * 256 + static_cast<unsigned char>(character[1])];
    std::memcpy(out, &entry, sizeof entry);
    return entry.length;
  }

  // The whole text, character by character; false at the first character
  // that has no UTF-8.
  bool Convert(std::string_view in, std::string& out) const {
    out.resize(in.size() * 3 + kWriteRoom);
    char* dst = out.data();
    for (size_t pos = 0; pos < in.size();) {
      const size_t width = row_[static_cast<unsigned char>(in[pos])] == 0 ? 1 : 2;
      if (pos + width > in.size()) return false;
      const size_t written = WriteUtf8(in.data() + pos, dst);
      if (written == 0) return false;
      dst += written;
      pos += width;
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    return true;
  }

 private:
  // A byte of code page 932 gives at most three bytes of UTF-8 (a character
  // of the Basic Multilingual Plane); Convert's buffer counts on it.
  struct Entry {
    char bytes[7];
    uint8_t length;  // 0: no UTF-8
  };
  static_assert(sizeof(Entry) == kWriteRoom);

  static void Fill(Entry& entry, size_t bytes, bool converted, const std::string& utf8) {
    if (!converted || utf8.empty() || utf8.size() > 3 * bytes) return;
    std::memcpy(entry.bytes, utf8.data(), utf8.size());
    entry.length = static_cast<uint8_t>(utf8.size());
  }

  static std::string_view Text(const Entry& entry) { return {entry.bytes, entry.length}; }

  uint8_t rows_ = 0;
  uint8_t row_[256] = {};  // a lead byte's row of pairs, from 1; 0 for a byte of its own
  Entry entries_[61 * 256] = {};  // the bytes of their own, then the 60 lead bytes' rows
};

// The table, made on first use.
const SjisUtf8Table& SjisToUtf8Table();

// UTF-8, as far as telling a file's encoding and reading it piece by piece
// need it.

// The bytes a file in UTF-8 may begin with to say so.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The bytes of the UTF-8 character that starts `text` (1 to 4), or 0 when it
// begins none: a byte that begins no character, a continuation that is
// missing or wrong, an overlong form, a surrogate, a code point past
// U+10FFFF. `cutShort` is set when `text` ends in the middle of a character
// that is right so far (the rest may follow in the next piece). 0 for an
// empty text.
constexpr size_t Utf8CharacterLength(std::string_view text, bool* cutShort = nullptr) {
  if (cutShort) *cutShort = false;
  if (text.empty()) return 0;
  const auto b = static_cast<unsigned char>(text[0]);
  if (b < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  for (size_t k = 1; k < length; ++k) {
    if (k >= text.size()) {
      if (cutShort) *cutShort = true;
      return 0;
    }
    const auto c = static_cast<unsigned char>(text[k]);
    if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

// What a walk over `text` as UTF-8 found: `whole` is the length of its
// longest start made of whole characters; `valid` is false when the walk
// stopped at a byte that begins no character (not at a character cut short
// by the end of `text`); `multibyte` whether a character of more than one
// byte came before the stop.
struct Utf8Scan {
  size_t whole = 0;
  bool valid = true;
  bool multibyte = false;
};
constexpr Utf8Scan ScanUtf8(std::string_view text) {
  Utf8Scan scan;
  size_t pos = 0;
  while (pos < text.size()) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    bool cutShort = false;
    const size_t length = Utf8CharacterLength(text.substr(pos), &cutShort);
    if (length == 0) {
      scan.valid = cutShort;
      break;
    }
    scan.multibyte = true;
    pos += length;
  }
  scan.whole = pos;
  return scan;
}
