#include "convert/reading_conversion.h"

#include <cstring>

#include "convert/kana_phoneme_table.h"

namespace {

int UnitAt(const unsigned char* p) { return KanaUnit(p[0], p[1]); }

// Checks the whole reading: pairs of allowed characters up to its NUL. An odd
// byte count pairs the last byte with the NUL, which never passes.
bool IsHiraganaReading(const unsigned char* p) {
  for (; *p; p += 2) {
    if (UnitAt(p) == 0) return false;
  }
  return true;
}

// Appends one key's phoneme string (or "*") to the baseform being built,
// separated by a space. Returns false, leaving the text alone, when it would
// not fit into the 255 bytes of a field.
bool AppendPiece(char (&out)[kBaseformSize], size_t& len, const char* piece) {
  size_t pieceLen = 0;
  while (piece[pieceLen]) ++pieceLen;
  const size_t separator = len > 0 ? 1 : 0;
  if (len + separator + pieceLen > kBaseformSize - 1) return false;
  if (separator) out[len++] = ' ';
  std::memcpy(out + len, piece, pieceLen);
  len += pieceLen;
  return true;
}

}  // namespace

// The reading is checked whole before the baseform is touched, so the
// baseform is built in place.
int ConvertReadingToBaseform(const char* reading, char (&baseform)[kBaseformSize]) {
  const auto* text = reinterpret_cast<const unsigned char*>(reading);
  if (text[0] == 0) return -1;
  if (!IsHiraganaReading(text)) return -2;

  size_t len = 0;
  bool incomplete = false;
  const unsigned char* pos = text;
  while (*pos) {
    // Try each stretch from here while a key may still begin with it; the
    // last one found is the longest key that matches. A stretch that is no
    // key does not end the search, so "っぱ" is found although "っ" alone is
    // no key.
    uint32_t packed = 0;
    int bestRow = -1;
    int bestUnits = 0;
    for (int n = 0; n < kKanaMaxKeyUnits && pos[2 * n]; ++n) {
      packed = PackKanaUnit(packed, n, UnitAt(pos + 2 * n));
      const KanaStretch stretch = FindKanaStretch(packed);
      if (stretch.row >= 0) {
        bestRow = stretch.row;
        bestUnits = n + 1;
      }
      if (!stretch.longerKeys) break;
    }
    const char* piece = bestRow >= 0 ? KanaPhonemeTable[bestRow].phoneme : "*";
    if (!AppendPiece(baseform, len, piece)) break;
    if (bestRow < 0) {
      incomplete = true;
      bestUnits = 1;
    }
    pos += 2 * bestUnits;
  }
  baseform[len] = '\0';
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
