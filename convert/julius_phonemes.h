#pragma once
// Readings in Julius's Japanese phoneme set, the one its acoustic models
// are trained on: a i u e o, the long vowels a: i: u: e: o:, N (the moraic
// nasal), q (the geminate) and the consonants and glides k ky s sh t ch ts n
// ny h hy f m my y r ry w g gy z j d dy b by p py. The kana rules are those
// Julius's own reading tool applies (plain kana, a small vowel after a kana
// of the same vowel lengthening it, the contracted and foreign sounds), in a
// table of their own, matched greedily from the left like the kana table.

#include <array>
#include <string>
#include <string_view>

// Keys of one or two reading characters ("ぁ" to "ん"); "ー" is a rule of its
// own (see AppendJuliusPhonemes).
inline constexpr int kJuliusKanaRows = 243;
inline constexpr int kJuliusKeySize = 5;       // up to 2 double-byte characters and the NUL
inline constexpr int kJuliusPhonemeSize = 6;   // up to 5 characters ("sh i:") and the NUL

struct JuliusKanaRule {
  char key[kJuliusKeySize];           // Shift-JIS, NUL-terminated
  char phonemes[kJuliusPhonemeSize];  // ASCII phonemes separated by single spaces
};

extern const std::array<JuliusKanaRule, kJuliusKanaRows> JuliusKanaRules;

// Appends the Julius phonemes of a hiragana reading (Shift-JIS) to `out`,
// separated by single spaces (none before the first).
// At each position the longest key that matches is taken. "ー" lengthens the
// vowel before it ("かー" k a:, "かぁー" k a:). Returns false when the reading
// is empty or holds a character no rule covers: anything but "ぁ" to "ん" and
// "ー", a small "ゃ", "ゅ" or "ょ" after a kana it does not combine with, or
// "ー" after no vowel (at the start, after "ん" or "っ"); `out` then holds
// some of the phonemes after what it held.
bool AppendJuliusPhonemes(std::string_view reading, std::string& out);
