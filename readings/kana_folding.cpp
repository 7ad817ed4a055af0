#include "readings/kana_folding.h"

#include <cstddef>
#include <utility>

#include "convert/sjis_text.h"

namespace {

// The kana are handled as their Unicode code points, where every kana's
// voiced form is the next code point.
constexpr char32_t kSmallA = 0x3041;  // "ぁ", the first hiragana
constexpr char32_t kN = 0x3093;       // "ん", the last
constexpr char32_t kKatakanaToHiragana = 0x60;
constexpr char32_t kVu = 0x30F4, kSmallKa = 0x30F5, kSmallKe = 0x30F6;
constexpr char32_t kWi = 0x3090, kWe = 0x3091;
constexpr char32_t kIteration = 0x309D, kVoicedIteration = 0x309E;
constexpr char32_t kLongVowel = 0x30FC, kMiddleDot = 0x30FB;

// The code point of the double-byte character `lead`,`trail`, for the kana
// and marks handled here; 0 for anything else.
char32_t KanaCodePoint(unsigned char lead, unsigned char trail) {
  if (lead == 0x82 && trail >= 0x9F && trail <= 0xF1) return kSmallA + (trail - 0x9F);
  if (lead == 0x83 && trail >= 0x40 && trail <= 0x96 && trail != 0x7F) {
    // Katakana skip trail byte 0x7F.
    return 0x30A1 + (trail - 0x40) - (trail > 0x7F ? 1 : 0);
  }
  if (lead == 0x81) {
    switch (trail) {
      case 0x5B: return kLongVowel;
      case 0x45: return kMiddleDot;
      case 0x54: case 0x52: return kIteration;        // "ゝ", "ヽ"
      case 0x55: case 0x53: return kVoicedIteration;  // "ゞ", "ヾ"
      default: return 0;
    }
  }
  return 0;
}

bool HasVoicedForm(char32_t hiragana) {
  if (hiragana >= 0x304B && hiragana <= 0x3062) return (hiragana - 0x304B) % 2 == 0;  // "か" to "ち"
  if (hiragana >= 0x3064 && hiragana <= 0x3069) return (hiragana - 0x3064) % 2 == 0;  // "つ" to "と"
  if (hiragana >= 0x306F && hiragana <= 0x307D) return (hiragana - 0x306F) % 3 == 0;  // "は" to "ほ"
  return false;
}

bool IsVoiced(char32_t hiragana) { return HasVoicedForm(hiragana - 1); }

void AppendHiragana(char32_t hiragana, std::string& out) {
  out.push_back(static_cast<char>(0x82));
  out.push_back(static_cast<char>(0x9F + (hiragana - kSmallA)));
}

// The hiragana at byte `at` of a reading; 0 for anything else.
char32_t HiraganaAt(std::string_view reading, size_t at) {
  if (at + 1 >= reading.size()) return 0;
  const char32_t c = KanaCodePoint(static_cast<unsigned char>(reading[at]), static_cast<unsigned char>(reading[at + 1]));
  return c >= kSmallA && c <= kN ? c : 0;
}

bool IsOneOf(char32_t c, std::u32string_view set) { return c != 0 && set.find(c) != std::u32string_view::npos; }

}  // namespace

bool AppendKanaReading(std::string_view kana, std::string& reading) {
  const size_t start = reading.size();
  const auto fail = [&] {
    reading.resize(start);
    return false;
  };
  char32_t previous = 0;  // the last hiragana written, for the iteration marks
  for (size_t at = 0; at < kana.size(); at += 2) {
    const auto lead = static_cast<unsigned char>(kana[at]);
    if (!IsSjisLeadByte(lead) || at + 1 >= kana.size()) return fail();
    char32_t c = KanaCodePoint(lead, static_cast<unsigned char>(kana[at + 1]));
    if (c == 0) return fail();
    if (c == kMiddleDot) continue;
    if (c == kLongVowel) {
      reading.append("\x81\x5B");
      continue;
    }
    if (c == kIteration || c == kVoicedIteration) {
      if (previous == 0) return fail();
      char32_t repeated = IsVoiced(previous) ? previous - 1 : previous;
      if (c == kVoicedIteration && HasVoicedForm(repeated)) ++repeated;
      AppendHiragana(repeated, reading);
      previous = repeated;
      continue;
    }
    if (c == kVu) {
      // "ヴァ" "ヴィ" "ヴェ" "ヴォ" become "ば" "び" "べ" "ぼ", "ヴ" alone "ぶ".
      char32_t next = 0;
      if (at + 3 < kana.size()) {
        next = KanaCodePoint(static_cast<unsigned char>(kana[at + 2]), static_cast<unsigned char>(kana[at + 3]));
      }
      switch (next) {
        case 0x30A1: c = 0x3070; at += 2; break;
        case 0x30A3: c = 0x3073; at += 2; break;
        case 0x30A7: c = 0x3079; at += 2; break;
        case 0x30A9: c = 0x307C; at += 2; break;
        default: c = 0x3076; break;
      }
    } else if (c == kSmallKa) {
      c = 0x304B;
    } else if (c == kSmallKe) {
      c = 0x3051;
    } else if (c > kN) {
      c -= kKatakanaToHiragana;
    }
    // The historical "ゐ" and "ゑ" are read as today's "い" and "え".
    if (c == kWi) c = 0x3044;
    if (c == kWe) c = 0x3048;
    AppendHiragana(c, reading);
    previous = c;
  }
  return true;
}

namespace {

// "｡" to "ﾝ" (U+FF61 to U+FF9D) in their full-width forms.
constexpr char32_t kFullWidthOfHalfWidth[] =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
constexpr char32_t kHalfWidthFirst = 0xFF61, kHalfWidthLast = 0xFF9D;
constexpr char32_t kHalfWidthVoiced = 0xFF9E, kHalfWidthSemiVoiced = 0xFF9F;

bool HasSemiVoicedForm(char32_t hiragana) {
  return hiragana >= 0x306F && hiragana <= 0x307D && (hiragana - 0x306F) % 3 == 0;  // "は" to "ほ"
}

// One character of `sjis` at `at` is a symbol or an iteration mark; `width`
// is its length.
bool IsSymbolOrMark(std::string_view sjis, size_t at, size_t& width) {
  const auto lead = static_cast<unsigned char>(sjis[at]);
  width = IsSjisLeadByte(lead) ? 2 : 1;
  if (at + width > sjis.size()) return false;
  if (width == 1) {
    const bool letterOrDigit = (lead >= '0' && lead <= '9') || (lead >= 'A' && lead <= 'Z') || (lead >= 'a' && lead <= 'z');
    // ASCII, and the half-width "｡", "｢", "｣", "､" and "･".
    return (lead >= 0x20 && lead < 0x7F && !letterOrDigit) || (lead >= 0xA1 && lead <= 0xA5);
  }
  const auto trail = static_cast<unsigned char>(sjis[at + 1]);
  // JIS rows 1 and 2 are marks and symbols but for "ー", "仝", "〆" and "〇"
  // (the iteration marks, 0x52 to 0x58, count as marks).
  if (lead == 0x81) return trail != 0x5B && trail != 0x57 && trail != 0x59 && trail != 0x5A;
  if (lead == 0x84) return trail >= 0x9F && trail <= 0xBE;  // box drawing
  return false;
}

}  // namespace

void NormalizeWordText(std::u32string& text) {
  std::u32string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c >= U'A' && c <= U'Z') {
      c += U'Ａ' - U'A';
    } else if (c >= U'a' && c <= U'z') {
      c += U'ａ' - U'a';
    } else if (c >= U'０' && c <= U'９') {
      c -= U'０' - U'0';
    } else if (c >= kHalfWidthFirst && c <= kHalfWidthLast) {
      c = kFullWidthOfHalfWidth[c - kHalfWidthFirst];
    } else if ((c == kHalfWidthVoiced || c == kHalfWidthSemiVoiced) && !out.empty()) {
      // The marks join the katakana before them: "ｶﾞ" is "ガ", "ﾊﾟ" is "パ".
      char32_t& before = out.back();
      const char32_t hiragana = before - kKatakanaToHiragana;
      if (c == kHalfWidthVoiced && before == U'ウ') {
        before = kVu;
        continue;
      }
      if (before >= 0x30A1 && before <= 0x30F3) {
        if (c == kHalfWidthVoiced && HasVoicedForm(hiragana)) {
          ++before;
          continue;
        }
        if (c == kHalfWidthSemiVoiced && HasSemiVoicedForm(hiragana)) {
          before += 2;
          continue;
        }
      }
      c = c == kHalfWidthVoiced ? U'゛' : U'゜';
    }
    out.push_back(c);
  }
  text = std::move(out);
}

bool VoiceFirstKana(std::string& reading) {
  if (reading.size() < 2) return false;
  const char32_t c = KanaCodePoint(static_cast<unsigned char>(reading[0]), static_cast<unsigned char>(reading[1]));
  if (c < kSmallA || c > kN || !HasVoicedForm(c)) return false;
  std::string voiced;
  AppendHiragana(c + 1, voiced);
  reading.replace(0, 2, voiced);
  return true;
}

void AddCompoundForms(const std::string& reading, int end, std::vector<std::string>& forms) {
  forms.push_back(reading);
  if (end == 0) {
    if (reading.size() >= 4 && IsOneOf(HiraganaAt(reading, reading.size() - 2), U"くつちき")) {
      std::string clipped = reading.substr(0, reading.size() - 2);
      AppendHiragana(U'っ', clipped);
      forms.push_back(std::move(clipped));
    }
    return;
  }
  std::string voiced = reading;
  if (VoiceFirstKana(voiced)) forms.push_back(std::move(voiced));
  if (const char32_t first = HiraganaAt(reading, 0); IsOneOf(first, U"はひふへほ")) {
    std::string p;
    AppendHiragana(first + 2, p);  // "は", "ば", "ぱ" follow one another
    p.append(reading, 2);
    forms.push_back(std::move(p));
  }
}

bool IsSinoShaped(std::string_view reading) {
  if (HiraganaAt(reading, 0) == 0) return false;
  size_t at = 2;
  if (IsOneOf(HiraganaAt(reading, at), U"ゃゅょ")) at += 2;
  if (IsOneOf(HiraganaAt(reading, at), U"んういくきつちっ")) at += 2;
  return at == reading.size();
}

bool CanJoinReadings(std::string_view first, std::string_view second) {
  const char32_t last = first.size() >= 2 ? HiraganaAt(first, first.size() - 2) : 0;
  const char32_t next = HiraganaAt(second, 0);
  if (last == U'っ' && !IsOneOf(next, U"かきくけこさしすせそたちつてとぱぴぷぺぽ")) return false;
  return !IsOneOf(next, U"ぱぴぷぺぽ") || last == U'っ' || last == U'ん';
}

char OkuriLetter(std::string_view kana) {
  // The first letter of each hiragana's romanisation, "ぁ" to "ん", as SKK
  // writes it after an okuri-ari reading ("っ" as "t").
  constexpr char kLetters[] = "aaiiuueeookgkgkgkgkgszszszszsztdtdttdtdtdnnnnnhbphbphbphbphbpmmmmmyyyyyyrrrrrwwieon";
  if (kana.size() < 2) return 0;
  char32_t c = KanaCodePoint(static_cast<unsigned char>(kana[0]), static_cast<unsigned char>(kana[1]));
  if (c > kN && c <= kN + kKatakanaToHiragana) c -= kKatakanaToHiragana;
  if (c < kSmallA || c > kN) return 0;
  return kLetters[c - kSmallA];
}

bool IsSymbolText(std::string_view sjis) {
  if (sjis.empty()) return false;
  for (size_t at = 0, width = 0; at < sjis.size(); at += width) {
    if (!IsSymbolOrMark(sjis, at, width)) return false;
  }
  return true;
}
