#include "convert/reading_conversion.h"

#include <cstring>
#include <string_view>

#include "convert/kana_phoneme_table.h"

namespace {

int UnitAt(const unsigned char* p) { return KanaUnit(p[0], p[1]); }

// Appends one key's phoneme string (or "*") to the baseform being built,
// separated by a space. Returns false, leaving the text alone, when it would
// not fit into the 255 bytes of a field. The piece lies at the start of a
// field of kKanaPhonemeSize bytes, copied whole (one fixed-width copy) where
// the baseform has room for it.
bool AppendPiece(char (&out)[kBaseformSize], size_t& len, std::string_view piece) {
  const size_t separator = len > 0 ? 1 : 0;
  if (len + separator + piece.size() > kBaseformSize - 1) return false;
  if (separator) out[len++] = ' ';
  if (len + kKanaPhonemeSize <= kBaseformSize) {
    std::memcpy(out + len, piece.data(), kKanaPhonemeSize);
  } else {
    std::memcpy(out + len, piece.data(), piece.size());
  }
  len += piece.size();
  return true;
}

// The piece of a character no key covers.
constexpr char kUncovered[kKanaPhonemeSize] = "*";

}  // namespace

int ConvertReadingToBaseform(const char* reading, char (&baseform)[kBaseformSize]) {
  size_t length;
  return ConvertReadingToBaseform(std::string_view(reading), baseform, length);
}

// The reading is checked whole, a pair of allowed bytes per character,
// before the baseform is touched, so the baseform is built in place: at each
// character the longest key that begins there, or "*" for the character
// alone.
int ConvertReadingToBaseform(std::string_view reading, char (&baseform)[kBaseformSize], size_t& length) {
  if (reading.empty()) return -1;
  if (reading.size() % 2 != 0) return -2;
  const auto* text = reinterpret_cast<const unsigned char*>(reading.data());
  const size_t characters = reading.size() / 2;
  for (size_t i = 0; i < characters; ++i) {
    if (UnitAt(text + 2 * i) == 0) return -2;
  }

  size_t len = 0;
  bool incomplete = false;
  for (size_t at = 0; at < characters;) {
    const KanaKeyMatch match = LongestKanaKey(text + 2 * at, characters - at);
    if (!AppendPiece(baseform, len, match.characters > 0 ? match.phoneme : std::string_view(kUncovered, 1))) break;
    if (match.characters == 0) incomplete = true;
    at += match.characters > 0 ? static_cast<size_t>(match.characters) : 1;
  }
  baseform[len] = '\0';
  length = len;
  return incomplete ? 0 : 1;
}

int LookupKanaPhoneme(const char* key, char (&phoneme)[kPhonemeBufferSize]) {
  const auto* p = reinterpret_cast<const unsigned char*>(key);
  uint32_t packed = 0;
  int n = 0;
  for (; p[0]; p += 2, ++n) {
    const int unit = UnitAt(p);
    if (unit == 0 || n == kKanaMaxKeyUnits) return 0;
    packed = PackKanaUnit(packed, n, unit);
  }
  const int row = n > 0 ? FindKanaRow(packed) : -1;
  if (row < 0) return 0;
  std::strcpy(phoneme, KanaPhonemeTable[row].phoneme);
  return 1;
}
