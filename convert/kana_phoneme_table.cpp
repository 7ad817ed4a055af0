// The kana table: every stretch of a reading that is pronounced as one unit,
// with its phoneme symbols. The rows are written below exactly as the table
// is maintained by hand (UTF-8, one group of keys per line) and turned into
// Shift-JIS rows and a lookup index while compiling, so the program carries
// the finished table and nothing is parsed at run time.
//
// Line format: entries separated by ';', each "KEY PHONEME" optionally
// followed by "(no long form)" or "(long form PHONEME)". Every key K also
// has a long form K + "ー" unless it says otherwise: K's phoneme, a space, and
// K's last symbol with ":" added; when that symbol already ends in ":", the
// long form sounds the same as K.

#include "convert/kana_phoneme_table.h"

#include <string_view>

namespace {

constexpr std::u8string_view kKeysWithoutSokuon = u8R"(
あ a; あぁ a a:
い i; いぃ i; いぁ i a; いぇ y e; いゃ i y a; いゅ i y u
う u; うぁ w a; うぃ w i; うぅ u u:; うぇ w e; うぉ w o
え e; えぇ e e:
お o; おぉ o o:
か k a; かぁ k a a:
き k i; きぁ k i a; きぃ k i; きゃ ky a; きゅ ky u; きぇ ky e; きょ ky o
く k u; くぁ k u a; くぃ k u w i; くぅ k u u:; くぇ k u w e; くぉ k u w o; くゃ k u y a; くゎ k u w a
け k e; けぇ k e e:
こ k o; こぉ k o o:
さ s a; さぁ s a a:
し sh i; しぁ sh a; しぃ sh i; しぇ sh e; しゃ sh a; しゅ sh u; しょ sh o; しょう sh o u (no long form)
す s u; すぁ s u a; すぃ s u w i; すぅ s u u:; すぇ s u w e; すぉ s u w o
せ s e; せぇ s e e: (long form s e:)
そ s o; そぉ s o o:
た t a; たぁ t a a:
ち ch i; ちぃ ch i; ちゃ ch a; ちゅ ch u; ちぇ ch e; ちょ ch o; ちょう ch o u (no long form); ちぁ ch a
つ ts u; つぁ ts u a; つぃ ts u i; つぅ ts u u:; つぇ ts e e (long form ts e e:); つぉ ts o o (long form ts o o:)
て t e; てぃ t i; てぇ t e: (long form t e e:)
と t o; とぅ t u u:; とぉ t o o:
な n a; なぁ n a a:
に n i; にぃ n i; にゃ ny a; にゅ ny u; にぇ ny e; にょ ny o
ぬ n u; ぬぁ n u a; ぬぃ n u i; ぬぅ n u u:; ぬぇ n u e; ぬぉ n u o
ね n e; ねぇ n e e:
の n o; のぉ n o o:
は h a; はぁ h a a:
ひ h i; ひぃ h i; ひゃ hy a; ひゅ hy u; ひぇ hy e; ひょ hy o
ふ f u; ふぁ f a; ふぃ f i; ふぅ f u u:; ふぇ f e; ふぉ f o
へ h e; へぇ h e e:
ほ h o; ほぉ h o o:
ま m a; まぁ m a a:
み m i; みぃ m i; みゃ my a; みゅ my u; みぇ my e; みょ my o
む m u; むぁ m u a; むぃ m u i; むぅ m u u:; むぇ m u e; むぉ m u o
め m e; めぇ m e e:
も m o; もぉ m o o:
や y a; やぁ y a a:
ゆ y u; ゆぅ y u u:
よ y o; よぉ y o o:
ら r a; らぁ r a a:
り r i; りぃ r i; りゃ ry a; りゅ ry u; りぇ ry e; りょ ry o
る r u; るぅ r u u:
れ r e; れぃ r e i (no long form); れぇ r e e:
ろ r o; ろぉ r o o:
わ w a; わぁ w a a:; わぃ w a i (no long form)
を o; をぉ o o:
ん _n (no long form)
が g a; がぁ g a a:
ぎ g i; ぎぃ g i; ぎゃ gy a; ぎゅ gy u; ぎぇ gy e; ぎょ gy o
ぐ g u; ぐぁ g u w a; ぐぅ g u u:; ぐぇ g u w e; ぐぉ g u w o
げ g e; げぇ g e e:
ご g o; ごぉ g o o:
ざ z a; ざぁ z a a:
じ j i; じぁ j a; じぃ j i; じゃ j a; じゅ j u; じぇ j e; じょ j o; じょう j o o: (no long form)
ず z u; ずぁ z u a; ずぃ z i; ずぅ z u u:
ぜ z e; ぜぇ z e e:
ぞ z o; ぞぉ z o o:
だ d a; だぁ d a a:
ぢ j i; ぢぃ j i (long form j i); ぢゃ j a; ぢゅ j u; ぢぇ j e; ぢょ j o
づ z u; づぁ z u a (long form z a a:); づぅ z u u:; づぇ z u w e (long form z e e:); づぉ z u w o (long form z o o:)
で d e; でぇ d e e:; でゃ dy a; でぁ dy a; でぃ d i; でぅ d u; でゅ dy u; でょ dy o
ど d o; どぅ d u u:; どぉ d o o:
ば b a; ばぁ b a a:
び b i; びぃ b i; びゃ by a; びゅ by u; びょ by o
ぶ b u; ぶぁ b u a; ぶぃ b u i; ぶぅ b u u:; ぶぇ b u e; ぶぉ b u o
べ b e; べぇ b e e:
ぼ b o; ぼぉ b o o:
ぱ p a; ぱぁ p a a:
ぴ p i; ぴぃ p i; ぴゃ py a; ぴゅ py u; ぴぇ py e; ぴょ py o
ぷ p u; ぷぁ p u a; ぷぅ p u u:; ぷぇ p u e; ぷぉ p u o
ぺ p e; ぺぇ p e e:; ぺぁ p e a (no long form)
ぽ p o; ぽぉ p o o:
)";

constexpr std::u8string_view kKeysWithSokuon = u8R"(
っか Qk a; っかぁ Qk a a:
っき Qky i; っきぃ Qky i; っきゃ Qky a; っきゅ Qky u; っきぇ Qky e; っきょ Qky o
っく Qk u; っくぁ Qk w a; っくぃ Qk w i; っくぅ Qk u u:; っくぇ Qk w e; っくぉ Qk w o
っけ Qk e; っけぇ Qk e e:
っこ Qk o; っこぉ Qk o o:
っさ Qs a; っさぁ Qs a a:
っし Qs i; っしぃ Qs i i (long form Qs i i:); っしぇ Qs e e:; っしゃ Qsh a; っしゅ Qsh u; っしょ Qsh o
っす Qs u; っすぁ Qs u a; っすぃ Qs u w i; っすぅ Qs u u:; っすぇ Qs u w e; っすぉ Qs u w o
っせ Qs e; っせぃ Qs e i (no long form); っせぇ Qs e e:
っそ Qs o; っそぉ Qs o o:
った Qt a; ったぁ Qt a a:
っち Qch i; っちぃ Qch i i (long form Qch i i:); っちゃ Qch a; っちゅ Qch u; っちぇ Qch e; っちょ Qch o
っつ Qts u; っつぁ Qts u a; っつぃ Qts u i; っつぅ Qts u u:; っつぇ Qts u e; っつぉ Qts u o
って Qt e; ってぃ Qt i; ってぇ Qt e e:
っと Qt o; っとぉ Qt o o:
っは Qh a; っはぁ Qh a a:
っひ Qh i; っひぃ Qh i i (long form Qh i i:)
っふ Qh u; っふぁ Qf a; っふぃ Qf i; っふぅ Qf u; っふぇ Qf e; っふぉ Qf o
っへ Qh e; っへぇ Qh e e:
っほ Qh o; っほぉ Qh o o:
っが Qg a; っがぁ Qg a a:
っぎ Qg i; っぎぃ Qg i
っぐ Qg u; っぐぁ Qg u w a a:; っぐぃ Qg u w i; っぐぅ Qg u u:; っぐぇ Qg u w e e:; っぐぉ Qg u w o o:
っげ Qg e; っげぇ Qg e e:
っご Qg o; っごぉ Qg o o:
っざ Qz a; っざぁ Qz a a:
っじ Qj i; っじぃ Qj i; っじゃ Qj a; っじゅ Qj u; っじぇ Qj e; っじょ Qj o
っず Qz u; っずぁ Qz u a; っずぃ Qz i; っずぅ Qz u u:; っずぇ Qz e; っずぉ Qz o
っぜ Qz e; っぜぇ Qz e e:
っぞ Qz o; っぞぉ Qz o o:
っだ Qd a; っだぁ Qd a a:
っぢ Qj i; っぢぃ Qj i
っづ Qz u; っづぁ Qz u a; っづぃ Qz u i; っづぅ Qz u u:; っづぇ Qz u e; っづぉ Qz u o
っで Qd e; っでぃ Qd i; っでぇ Qd e e:
っど Qd o; っどぅ Qd u u:; っどぉ Qd o o:
っば Qb a; っばぁ Qb a a: (no long form)
っび Qb i; っびぃ Qb i
っぶ Qb u; っぶぁ Qb u a; っぶぃ Qb u i; っぶぅ Qb u u:; っぶぇ Qb u e; っぶぉ Qb u o
っべ Qb e; っべぇ Qb e e:
っぼ Qb o; っぼぉ Qb o o:
っぱ Qp a; っぱぁ Qp a a:
っぴ Qp i; っぴぃ Qp i; っぴゃ Qpy a; っぴゅ Qpy u; っぴょ Qpy o
っぷ Qp u; っぷぁ Qp u a; っぷぃ Qp u i; っぷぅ Qp u u:; っぷぇ Qp u e; っぷぉ Qp u o
っぺ Qp e; っぺぇ Qp e e:
っぽ Qp o; っぽぉ Qp o o:
っわぁ w a a:
っま m a (no long form)
っも m o
っう u
っや y a
っい i
)";

struct ParsedTable {
  std::array<KanaPhonemeEntry, kKanaPhonemeRows + 1> rows{};
  int count = 0;
  int withoutSokuon = 0;
};

// The table data may only hold hiragana and the long-vowel mark.
constexpr void AppendSjis(char32_t cp, char* key, int& len) {
  if (cp >= 0x3041 && cp <= 0x3093) {
    key[len++] = static_cast<char>(0x82);
    key[len++] = static_cast<char>(0x9F + (cp - 0x3041));
  } else if (cp == 0x30FC) {
    key[len++] = static_cast<char>(0x81);
    key[len++] = static_cast<char>(0x5B);
  } else {
    throw "kana table: a key holds a character that is not hiragana";
  }
}

constexpr void ToSjisKey(std::u8string_view utf8, char (&key)[kKanaKeySize]) {
  int len = 0;
  for (size_t i = 0; i < utf8.size();) {
    if (len + 2 >= kKanaKeySize) throw "kana table: key longer than 4 characters";
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    if ((b0 & 0xF0) != 0xE0 || i + 2 >= utf8.size())
      throw "kana table: key is not three-byte UTF-8";
    const char32_t cp = ((b0 & 0x0F) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3F) << 6) |
                        (static_cast<unsigned char>(utf8[i + 2]) & 0x3F);
    AppendSjis(cp, key, len);
    i += 3;
  }
  key[len] = 0;
}

constexpr void CopyAscii(std::u8string_view text, char (&out)[kKanaPhonemeSize]) {
  if (text.empty() || text.size() >= kKanaPhonemeSize) throw "kana table: bad phoneme length";
  for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i]);
  out[text.size()] = 0;
}

constexpr std::u8string_view Trim(std::u8string_view s) {
  while (!s.empty() && (s.front() == u8' ' || s.front() == u8'\n')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u8' ' || s.back() == u8'\n')) s.remove_suffix(1);
  return s;
}

constexpr void AddRow(ParsedTable& t, std::u8string_view key, std::u8string_view phoneme, bool longMark) {
  if (t.count >= kKanaPhonemeRows) throw "kana table: more rows than expected";
  KanaPhonemeEntry& row = t.rows[t.count++];
  ToSjisKey(key, row.key);
  if (longMark) {
    int len = 0;
    while (row.key[len]) ++len;
    row.key[len] = static_cast<char>(0x81);
    row.key[len + 1] = static_cast<char>(0x5B);
    row.key[len + 2] = 0;
  }
  CopyAscii(phoneme, row.phoneme);
}

// Applies the long-form rule to a phoneme string, into a scratch buffer.
constexpr std::u8string_view LongFormOf(std::u8string_view phoneme, char8_t (&scratch)[kKanaPhonemeSize]) {
  if (phoneme.back() == u8':') return phoneme;
  const size_t space = phoneme.rfind(u8' ');
  const std::u8string_view last = space == std::u8string_view::npos ? phoneme : phoneme.substr(space + 1);
  const size_t len = phoneme.size() + 1 + last.size() + 1;
  if (len >= kKanaPhonemeSize) throw "kana table: long form too long";
  size_t n = 0;
  for (char8_t c : phoneme) scratch[n++] = c;
  scratch[n++] = u8' ';
  for (char8_t c : last) scratch[n++] = c;
  scratch[n++] = u8':';
  return std::u8string_view(scratch, n);
}

constexpr void ParseEntry(ParsedTable& t, std::u8string_view entry) {
  entry = Trim(entry);
  if (entry.empty()) return;
  const size_t keyEnd = entry.find(u8' ');
  if (keyEnd == std::u8string_view::npos) throw "kana table: entry without phoneme";
  const std::u8string_view key = entry.substr(0, keyEnd);
  std::u8string_view rest = entry.substr(keyEnd + 1);
  std::u8string_view note;
  if (const size_t paren = rest.find(u8'('); paren != std::u8string_view::npos) {
    if (rest.back() != u8')') throw "kana table: unclosed note";
    note = rest.substr(paren + 1, rest.size() - paren - 2);
    rest = rest.substr(0, paren);
  }
  const std::u8string_view phoneme = Trim(rest);
  AddRow(t, key, phoneme, false);

  constexpr std::u8string_view kNoLongForm = u8"no long form";
  constexpr std::u8string_view kLongForm = u8"long form ";
  if (note == kNoLongForm) return;
  if (note.starts_with(kLongForm)) {
    AddRow(t, key, Trim(note.substr(kLongForm.size())), true);
  } else if (note.empty()) {
    char8_t scratch[kKanaPhonemeSize] = {};
    AddRow(t, key, LongFormOf(phoneme, scratch), true);
  } else {
    throw "kana table: unknown note";
  }
}

constexpr void ParseGroups(ParsedTable& t, std::u8string_view text) {
  while (!text.empty()) {
    size_t end = text.find_first_of(u8";\n");
    if (end == std::u8string_view::npos) end = text.size();
    ParseEntry(t, text.substr(0, end));
    text.remove_prefix(end == text.size() ? end : end + 1);
  }
}

constexpr ParsedTable Parse() {
  ParsedTable t;
  ParseGroups(t, kKeysWithoutSokuon);
  t.withoutSokuon = t.count;
  ParseGroups(t, kKeysWithSokuon);
  return t;
}

constexpr ParsedTable kParsed = Parse();
static_assert(kParsed.withoutSokuon == 505, "505 keys without a leading small tsu");
static_assert(kParsed.count == kKanaPhonemeRows, "812 keys in all");

// The lookup index: each key packed into one number, 7 bits per character
// (see PackKanaUnit), in an open-addressing hash table. Keys are unique, so
// finding a key here gives the same row as a scan from the top would. Every
// start of a key is in the index too, marked as one (a start that is no key
// has no row), so that a search for the longest key stops as soon as no key
// begins with the stretch.
constexpr int kIndexBits = 12;
constexpr int kIndexSlots = 1 << kIndexBits;

struct IndexSlot {
  uint32_t packedKey = 0;  // 0: empty slot (no key packs to 0)
  int16_t row = -1;
  bool keyStart = false;  // a longer key begins with this one
};

constexpr uint32_t SlotOf(uint32_t packedKey) {
  return (packedKey * 2654435761u) >> (32 - kIndexBits);
}

constexpr uint32_t PackKey(const char* key, int units) {
  uint32_t packed = 0;
  for (int i = 0; i < units; ++i) {
    const int unit = KanaUnit(static_cast<unsigned char>(key[2 * i]), static_cast<unsigned char>(key[2 * i + 1]));
    if (unit == 0) throw "kana table: key outside the allowed characters";
    packed = PackKanaUnit(packed, i, unit);
  }
  return packed;
}

constexpr int KeyUnits(const char* key) {
  int units = 0;
  while (key[2 * units]) ++units;
  return units;
}

constexpr IndexSlot& SlotFor(std::array<IndexSlot, kIndexSlots>& slots, uint32_t packed, int& used) {
  uint32_t slot = SlotOf(packed);
  while (slots[slot].packedKey != 0 && slots[slot].packedKey != packed) slot = (slot + 1) % kIndexSlots;
  if (slots[slot].packedKey == 0) {
    slots[slot].packedKey = packed;
    ++used;
  }
  return slots[slot];
}

struct Index {
  std::array<IndexSlot, kIndexSlots> slots{};
  int used = 0;
};

constexpr Index BuildIndex() {
  Index index;
  for (int row = 0; row < kKanaPhonemeRows; ++row) {
    const char* key = kParsed.rows[row].key;
    const int units = KeyUnits(key);
    if (units > kKanaMaxKeyUnits) throw "kana table: key longer than the longest a search tries";
    IndexSlot& slot = SlotFor(index.slots, PackKey(key, units), index.used);
    if (slot.row >= 0) throw "kana table: key listed twice";
    slot.row = static_cast<int16_t>(row);
    for (int start = 1; start < units; ++start) SlotFor(index.slots, PackKey(key, start), index.used).keyStart = true;
  }
  return index;
}

constexpr Index kIndex = BuildIndex();
constexpr IndexSlot kNoSlot{};
static_assert(kIndex.used * 2 <= kIndexSlots, "the index stays at most half full");

constexpr const IndexSlot& FindSlot(const Index& index, uint32_t packedKey) {
  for (uint32_t slot = SlotOf(packedKey);; slot = (slot + 1) % kIndexSlots) {
    const IndexSlot& s = index.slots[slot];
    if (s.packedKey == packedKey) return s;
    if (s.packedKey == 0) return kNoSlot;
  }
}

const IndexSlot& FindSlot(uint32_t packedKey) { return FindSlot(kIndex, packedKey); }

// The search from the first two characters of a stretch, looked up
// directly by their numbers (0 for a stretch of one character): the longer
// of the keys of one or two of them, and whether a longer key begins with
// both. Most readings' keys end here; only keys of three or four
// characters go on through the index.
constexpr int kUnitNumbers = 85;  // 0 and the 84 characters

struct PairMatch {
  int16_t row = -1;
  uint8_t characters = 0;
  bool longerKeys = false;
};

constexpr std::array<PairMatch, kUnitNumbers * kUnitNumbers> BuildPairMatches() {
  std::array<PairMatch, kUnitNumbers * kUnitNumbers> pairs{};
  for (int first = 1; first < kUnitNumbers; ++first) {
    const IndexSlot& one = FindSlot(kIndex, PackKanaUnit(0, 0, first));
    for (int second = 0; second < kUnitNumbers; ++second) {
      PairMatch& match = pairs[first * kUnitNumbers + second];
      if (one.row >= 0) match = {one.row, 1, false};
      if (second == 0 || !one.keyStart) continue;
      const IndexSlot& two = FindSlot(kIndex, PackKanaUnit(PackKanaUnit(0, 0, first), 1, second));
      if (two.row >= 0) match = {two.row, 2, false};
      match.longerKeys = two.keyStart;
    }
  }
  return pairs;
}

constexpr std::array<PairMatch, kUnitNumbers * kUnitNumbers> kPairMatches = BuildPairMatches();
static_assert(kKanaMaxKeyUnits == 4, "LongestKanaKey goes on through the index for three and four characters");

constexpr std::array<uint8_t, kKanaPhonemeRows> BuildPhonemeLengths() {
  std::array<uint8_t, kKanaPhonemeRows> lengths{};
  for (int row = 0; row < kKanaPhonemeRows; ++row) {
    while (kParsed.rows[row].phoneme[lengths[row]]) ++lengths[row];
  }
  return lengths;
}

constexpr std::array<uint8_t, kKanaPhonemeRows> kPhonemeLengths = BuildPhonemeLengths();

int UnitAt(const unsigned char* p) { return KanaUnit(p[0], p[1]); }

}  // namespace

int FindKanaRow(uint32_t packedKey) { return FindSlot(packedKey).row; }

KanaKeyMatch LongestKanaKey(const unsigned char* reading, size_t characters) {
  const int first = UnitAt(reading);
  const int second = characters > 1 ? UnitAt(reading + 2) : 0;
  const PairMatch& pair = kPairMatches[first * kUnitNumbers + second];
  int row = pair.row;
  int matched = pair.characters;
  if (pair.longerKeys) {
    uint32_t packed = PackKanaUnit(PackKanaUnit(0, 0, first), 1, second);
    for (int n = 2; n < kKanaMaxKeyUnits && static_cast<size_t>(n) < characters; ++n) {
      packed = PackKanaUnit(packed, n, UnitAt(reading + 2 * n));
      const IndexSlot& slot = FindSlot(packed);
      if (slot.row >= 0) {
        row = slot.row;
        matched = n + 1;
      }
      if (!slot.keyStart) break;
    }
  }
  if (row < 0) return {0, {}};
  return {matched, {KanaPhonemeTable[row].phoneme, kPhonemeLengths[row]}};
}

const std::array<KanaPhonemeEntry, kKanaPhonemeRows + 1> KanaPhonemeTable = kParsed.rows;
