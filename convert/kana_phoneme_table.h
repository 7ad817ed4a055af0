#pragma once
// The kana table behind the reading-to-baseform conversion: 812 keys of one to
// four reading characters, each with the phoneme symbols it is pronounced as.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

inline constexpr int kKanaPhonemeRows = 812;
inline constexpr int kKanaKeySize = 9;       // up to 4 double-byte characters and the NUL
inline constexpr int kKanaPhonemeSize = 12;  // up to 11 characters and the NUL
inline constexpr int kKanaMaxKeyUnits = 4;   // no key is longer, so no longer stretch can match

struct KanaPhonemeEntry {
  char key[kKanaKeySize];            // Shift-JIS, NUL-terminated; empty in the end row
  char phoneme[kKanaPhonemeSize];    // ASCII symbols separated by single spaces
};

// The 812 rows followed by an end row whose key is empty.
extern const std::array<KanaPhonemeEntry, kKanaPhonemeRows + 1> KanaPhonemeTable;

// Numbers the 84 characters a reading may hold: "ぁ" to "ん" (0x82 0x9F to
// 0x82 0xF1) are 1 to 83 and the long-vowel mark "ー" (0x81 0x5B) is 84.
// Any other byte pair gives 0.
constexpr int KanaUnit(unsigned char lead, unsigned char trail) {
  if (lead == 0x82 && trail >= 0x9F && trail <= 0xF1) return trail - 0x9F + 1;
  if (lead == 0x81 && trail == 0x5B) return 84;
  return 0;
}

// Adds the unit of the character at position `position` (0 to 3) of a key to
// a packed key; a key of n characters packs into the low 7 * n bits.
constexpr uint32_t PackKanaUnit(uint32_t packed, int position, int unit) {
  return packed | static_cast<uint32_t>(unit) << (7 * position);
}

// The row index of the key packed as above, or -1 when there is no such key.
int FindKanaRow(uint32_t packedKey);

// The longest key that the reading characters at `reading` begin with
// (`characters` of them, at least 1, each two bytes that KanaUnit numbers):
// its length in characters and its phoneme string, or 0 and an empty string
// when no key begins them. The phoneme string lies at the start of its row's
// whole field (kKanaPhonemeSize bytes), which may be copied whole.
struct KanaKeyMatch {
  int characters;
  std::string_view phoneme;
};
KanaKeyMatch LongestKanaKey(const unsigned char* reading, size_t characters);
