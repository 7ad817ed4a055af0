// The Julius kana rules, written below as they are maintained (UTF-8, one
// group of keys per line, "KEY PHONEMES" separated by ';') and turned into
// Shift-JIS rows and a lookup index while compiling.
//
// A pair of kana whose phonemes are just those of its two kana one after the
// other ("あぁ" a a, "うぁ" u a, "くぁ" k u a) needs no row: the longest match
// finds the two single keys. The small "ゃ", "ゅ" and "ょ" have no row of
// their own; they are covered only after a kana they combine with.

#include "convert/julius_phonemes.h"

#include <cstdint>

#include "convert/kana_phoneme_table.h"

namespace {

constexpr std::u8string_view kRules = u8R"(
ぁ a; あ a; ぃ i; い i; ぅ u; う u; ぇ e; え e; ぉ o; お o
か k a; き k i; く k u; け k e; こ k o
が g a; ぎ g i; ぐ g u; げ g e; ご g o
さ s a; し sh i; す s u; せ s e; そ s o
ざ z a; じ j i; ず z u; ぜ z e; ぞ z o
た t a; ち ch i; つ ts u; て t e; と t o
だ d a; ぢ j i; づ z u; で d e; ど d o
な n a; に n i; ぬ n u; ね n e; の n o
は h a; ひ h i; ふ f u; へ h e; ほ h o
ば b a; び b i; ぶ b u; べ b e; ぼ b o
ぱ p a; ぴ p i; ぷ p u; ぺ p e; ぽ p o
ま m a; み m i; む m u; め m e; も m o
や y a; ゆ y u; よ y o
ら r a; り r i; る r u; れ r e; ろ r o
ゎ w a; わ w a; ゐ i; ゑ e; を o; ん N; っ q

うぅ u:; おぉ o:
かぁ k a:; きぃ k i:; くぅ k u:; けぇ k e:; こぉ k o:
がぁ g a:; ぎぃ g i:; ぐぅ g u:; げぇ g e:; ごぉ g o:
さぁ s a:; しぃ sh i:; すぅ s u:; せぇ s e:; そぉ s o:
ざぁ z a:; じぃ j i:; ずぅ z u:; ぜぇ z e:; ぞぉ z o:
たぁ t a:; ちぃ ch i:; つぅ ts u:; てぇ t e:; とぉ t o:
だぁ d a:; ぢぃ j i:; づぅ d u:; でぇ d e:; どぉ d o:
なぁ n a:; にぃ n i:; ぬぅ n u:; ねぇ n e:; のぉ n o:
はぁ h a:; ひぃ h i:; ふぅ f u:; へぇ h e:; ほぉ h o:
ばぁ b a:; びぃ b i:; ぶぅ b u:; べぇ b e:; ぼぉ b o:
ぱぁ p a:; ぴぃ p i:; ぷぅ p u:; ぺぇ p e:; ぽぉ p o:
まぁ m a:; みぃ m i:; むぅ m u:; めぇ m e:; もぉ m o:
やぁ y a:; ゆぅ y u:; よぉ y o:
らぁ r a:; りぃ r i:; るぅ r u:; れぇ r e:; ろぉ r o:
わぁ w a:; をぉ o:

きゃ ky a; きゅ ky u; きょ ky o; ぎゃ gy a; ぎゅ gy u; ぎょ gy o
しゃ sh a; しゅ sh u; しょ sh o; しぇ sh e; じゃ j a; じゅ j u; じょ j o; じぇ j e
ちゃ ch a; ちゅ ch u; ちょ ch o; ちぇ ch e; ぢゃ j a; ぢゅ j u; ぢょ j o; ぢぇ j e
にゃ ny a; にゅ ny u; にょ ny o; ひゃ hy a; ひゅ hy u; ひょ hy o
びゃ by a; びゅ by u; びょ by o; ぴゃ py a; ぴゅ py u; ぴょ py o
みゃ my a; みゅ my u; みょ my o; りゃ ry a; りゅ ry u; りょ ry o

くゃ ky a; くゅ ky u; くょ ky o; ぐゃ gy a; ぐゅ gy u; ぐょ gy o
すゃ sh a; すゅ sh u; すょ sh o; つゃ ch a; つゅ ch u; つょ ch o
ぬゃ ny a; ぬゅ ny u; ぬょ ny o; ふゃ hy a; ふゅ hy u; ふょ hy o
ぶゃ by a; ぶゅ by u; ぶょ by o; ぷゃ py a; ぷゅ py u; ぷょ py o
むゃ my a; むゅ my u; むょ my o; るゃ ry a; るゅ ry u; るょ ry o

いゃ y a; うぃ w i; うぇ w e; うぉ w o
ふぁ f a; ふぃ f i; ふぇ f e; ふぉ f o
てぃ t i; でぃ d i; とぅ t u; どぅ d u
でゃ dy a; でゅ dy u; でょ dy o; どゃ dy a; どゅ dy u; どょ dy o
すぃ s i; ずぃ z i; ずぇ z e; ずぉ z o
つぁ ts a; つぃ ts i; つぇ ts e; つぉ ts o
)";

// "ぁ" to "ん" are units 1 to 83 (KanaUnit); "ー" is 84.
constexpr int kUnits = 85;
constexpr int kLongMarkUnit = 84;

struct ParsedRules {
  std::array<JuliusKanaRule, kJuliusKanaRows> rows{};
  // The row of each key: [first unit][second unit, or 0 for a key of one].
  std::array<int16_t, kUnits * kUnits> index{};
  int count = 0;
};

constexpr std::u8string_view Trim(std::u8string_view s) {
  while (!s.empty() && (s.front() == u8' ' || s.front() == u8'\n')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u8' ' || s.back() == u8'\n')) s.remove_suffix(1);
  return s;
}

// One key character, hiragana "ぁ" to "ん" in three-byte UTF-8, as its unit.
constexpr int UnitOf(std::u8string_view utf8) {
  if (utf8.size() != 3 || (static_cast<unsigned char>(utf8[0]) & 0xF0) != 0xE0) throw "julius rules: not kana";
  const char32_t cp = ((static_cast<unsigned char>(utf8[0]) & 0x0F) << 12) |
                      ((static_cast<unsigned char>(utf8[1]) & 0x3F) << 6) | (static_cast<unsigned char>(utf8[2]) & 0x3F);
  if (cp < 0x3041 || cp > 0x3093) throw "julius rules: a key holds a character that is not hiragana";
  return static_cast<int>(cp - 0x3041) + 1;
}

constexpr void AddRule(ParsedRules& t, std::u8string_view entry) {
  const size_t space = entry.find(u8' ');
  if (space != 3 && space != 6) throw "julius rules: a key is not one or two kana";
  const int first = UnitOf(entry.substr(0, 3));
  const int second = space == 6 ? UnitOf(entry.substr(3, 3)) : 0;
  const std::u8string_view phonemes = Trim(entry.substr(space + 1));
  if (phonemes.empty() || phonemes.size() >= kJuliusPhonemeSize) throw "julius rules: bad phonemes";
  if (t.count >= kJuliusKanaRows) throw "julius rules: more rows than expected";
  int16_t& slot = t.index[first * kUnits + second];
  if (slot != 0) throw "julius rules: key listed twice";
  JuliusKanaRule& row = t.rows[t.count];
  slot = static_cast<int16_t>(++t.count);  // 0 is no row: rows are stored one up
  int len = 0;
  for (const int unit : {first, second}) {
    if (unit == 0) continue;
    row.key[len++] = static_cast<char>(0x82);
    row.key[len++] = static_cast<char>(0x9F + unit - 1);
  }
  for (size_t i = 0; i < phonemes.size(); ++i) row.phonemes[i] = static_cast<char>(phonemes[i]);
}

constexpr ParsedRules Parse() {
  ParsedRules t;
  std::u8string_view text = kRules;
  while (!text.empty()) {
    size_t end = text.find_first_of(u8";\n");
    if (end == std::u8string_view::npos) end = text.size();
    if (const std::u8string_view entry = Trim(text.substr(0, end)); !entry.empty()) AddRule(t, entry);
    text.remove_prefix(end == text.size() ? end : end + 1);
  }
  if (t.count != kJuliusKanaRows) throw "julius rules: fewer rows than expected";
  return t;
}

constexpr ParsedRules kParsed = Parse();

bool IsVowel(char c) { return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o'; }

}  // namespace

const std::array<JuliusKanaRule, kJuliusKanaRows> JuliusKanaRules = kParsed.rows;

bool AppendJuliusPhonemes(std::string_view reading, std::string& out) {
  if (reading.empty() || reading.size() % 2 != 0) return false;
  const size_t start = out.size();
  const auto unitAt = [&](size_t pos) {
    return KanaUnit(static_cast<unsigned char>(reading[pos]), static_cast<unsigned char>(reading[pos + 1]));
  };
  for (size_t pos = 0; pos < reading.size();) {
    const int unit = unitAt(pos);
    if (unit == 0) return false;
    if (unit == kLongMarkUnit) {
      // Lengthens the vowel before it; one already long stays so.
      if (out.size() == start) return false;
      if (IsVowel(out.back())) {
        out.push_back(':');
      } else if (out.back() != ':') {
        return false;
      }
      pos += 2;
      continue;
    }
    int row = 0;
    if (pos + 2 < reading.size()) {
      const int next = unitAt(pos + 2);
      if (next != 0 && next != kLongMarkUnit) row = kParsed.index[unit * kUnits + next];
    }
    const size_t used = row != 0 ? 4 : 2;
    if (row == 0) row = kParsed.index[unit * kUnits];
    if (row == 0) return false;
    if (out.size() != start) out.push_back(' ');
    out.append(kParsed.rows[row - 1].phonemes);
    pos += used;
  }
  return true;
}
