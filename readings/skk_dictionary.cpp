#include "readings/skk_dictionary.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "convert/sjis_text.h"
#include "readings/kana_folding.h"

namespace {

// EUC-JP's JIS X 0208 characters turned into code page 932 by arithmetic.
// Returns false for anything else but ASCII.
bool AppendSjisFromEuc(std::string_view euc, std::string& out) {
  for (size_t at = 0; at < euc.size(); ++at) {
    const auto b = static_cast<unsigned char>(euc[at]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      continue;
    }
    if (b < 0xA1 || b > 0xFE || at + 1 >= euc.size()) return false;
    const auto t = static_cast<unsigned char>(euc[at + 1]);
    if (t < 0xA1 || t > 0xFE) return false;
    ++at;
    const unsigned row = b - 0x80, cell = t - 0x80;  // 0x21 to 0x7E each
    const unsigned lead = ((row + 1) >> 1) + (row <= 0x5E ? 0x70 : 0xB0);
    unsigned trail;
    if (row & 1) {
      trail = cell + (cell >= 0x60 ? 0x20 : 0x1F);
    } else {
      trail = cell + 0x7E;
    }
    out.push_back(static_cast<char>(lead));
    out.push_back(static_cast<char>(trail));
  }
  return true;
}

// The other way: code page 932 into EUC-JP, for looking a word up. False for
// characters outside JIS X 0208 (the vendors' extensions, half-width kana),
// which no dictionary line can hold.
bool EucFromSjis(std::string_view sjis, std::string& out) {
  out.clear();
  for (size_t at = 0; at < sjis.size(); ++at) {
    const auto b = static_cast<unsigned char>(sjis[at]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      continue;
    }
    if (!IsSjisLeadByte(b) || at + 1 >= sjis.size()) return false;
    const auto t = static_cast<unsigned char>(sjis[++at]);
    const unsigned base = b - (b <= 0x9F ? 0x70 : 0xB0);
    unsigned row, cell;
    if (t >= 0x9F) {
      row = base * 2;
      cell = t - 0x7E;
    } else {
      row = base * 2 - 1;
      cell = t - (t >= 0x80 ? 0x20 : 0x1F);
      if (t == 0x7F) return false;
    }
    if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) return false;
    out.push_back(static_cast<char>(row | 0x80));
    out.push_back(static_cast<char>(cell | 0x80));
  }
  return true;
}

// An EUC-JP reading: hiragana ("ぁ" to "ん") and "ー" alone.
bool IsEucHiragana(std::string_view euc) {
  if (euc.empty() || euc.size() % 2 != 0) return false;
  for (size_t at = 0; at < euc.size(); at += 2) {
    const auto lead = static_cast<unsigned char>(euc[at]);
    const auto trail = static_cast<unsigned char>(euc[at + 1]);
    const bool hiragana = lead == 0xA4 && trail >= 0xA1 && trail <= 0xF3;
    const bool longVowel = lead == 0xA1 && trail == 0xBC;
    if (!hiragana && !longVowel) return false;
  }
  return true;
}

// A kanji of JIS X 0208 in EUC-JP (rows 16 and after).
bool IsEucKanji(std::string_view euc2) {
  return euc2.size() == 2 && static_cast<unsigned char>(euc2[0]) >= 0xB0;
}

uint32_t Hash(std::string_view bytes) {
  uint32_t h = 2166136261u;
  for (char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h;
}

std::string SjisFromEuc(std::string_view euc) {
  std::string out;
  if (!AppendSjisFromEuc(euc, out)) out.clear();
  return out;
}

// A reading of the file as a reading of today: "ゐ" and "ゑ" folded to
// "い" and "え".
std::string ReadingFromEuc(std::string_view euc) {
  std::string reading;
  if (!AppendKanaReading(SjisFromEuc(euc), reading)) reading.clear();
  return reading;
}

// The readings of single kanji as tries, two per kanji: one spelled from the
// first syllable (for a reading that begins a compound's), one from the
// last (for one that ends it). A compound's reading is walked down the
// trie of its kanji once, counting every reading met on the way: the work
// is the length of the compound's reading, however many readings the kanji
// has. Readings are hiragana, two bytes a character.
class ReadingTries {
 public:
  // The node of `reading` in the trie of `kanji` spelled from `side`
  // (0: the start, 1: the end), added when new.
  uint32_t Add(std::string_view kanji, int side, std::string_view reading) {
    uint32_t node = Root(kanji, side);
    for (size_t i = 0; i < reading.size(); i += 2) node = Child(node, Character(reading, side, i), true);
    return node;
  }

  // Counts each reading of `kanji` from `side` that is a proper start (side
  // 0) or end (side 1) of `reading`.
  void CountWithin(std::string_view kanji, int side, std::string_view reading) {
    const auto root = roots_.find(Key(kanji, side));
    if (root == roots_.end()) return;
    uint32_t node = root->second;
    for (size_t i = 0; i + 2 < reading.size(); i += 2) {
      node = Child(node, Character(reading, side, i), false);
      if (node == kNone) return;
      ++counts_[node];
    }
  }

  uint32_t Count(uint32_t node) const { return counts_[node]; }

 private:
  static constexpr uint32_t kNone = UINT32_MAX;

  static uint32_t Key(std::string_view kanji, int side) {
    return (static_cast<unsigned char>(kanji[0]) << 9) | (static_cast<unsigned char>(kanji[1]) << 1) | side;
  }
  // The `i`th byte pair of `reading` counted from `side`.
  static uint32_t Character(std::string_view reading, int side, size_t i) {
    const size_t at = side == 0 ? i : reading.size() - 2 - i;
    return (static_cast<unsigned char>(reading[at]) << 8) | static_cast<unsigned char>(reading[at + 1]);
  }
  uint32_t NewNode() {
    counts_.push_back(0);
    return static_cast<uint32_t>(counts_.size() - 1);
  }
  uint32_t Root(std::string_view kanji, int side) {
    const auto [at, added] = roots_.try_emplace(Key(kanji, side), 0);
    if (added) at->second = NewNode();
    return at->second;
  }
  uint32_t Child(uint32_t node, uint32_t character, bool add) {
    const uint64_t key = static_cast<uint64_t>(node) << 16 | character;
    const auto at = edges_.find(key);
    if (at != edges_.end()) return at->second;
    if (!add) return kNone;
    const uint32_t child = NewNode();
    edges_.emplace(key, child);
    return child;
  }

  std::unordered_map<uint32_t, uint32_t> roots_;
  std::unordered_map<uint64_t, uint32_t> edges_;
  std::vector<uint32_t> counts_;  // per node: the compounds it begins or ends
};

}  // namespace

void SkkReadings::Load(std::string eucText) {
  text_ = std::move(eucText);
  indexed_ = counted_ = false;
  byLastCharacter_.clear();
  entries_.clear();
  buckets_.clear();
  compoundReadings_.clear();
}

void SkkReadings::IndexLine(std::string_view line) const {
  if (line.empty() || line[0] == ';') return;
  const size_t space = line.find(" /");
  if (space == std::string_view::npos || space == 0) return;
  std::string_view reading = line.substr(0, space);
  char okuri = 0;
  if (const char last = reading.back(); last >= 'a' && last <= 'z') {
    okuri = last;
    reading.remove_suffix(1);
  }
  if (!IsEucHiragana(reading) || reading.size() > UINT8_MAX) return;
  std::string_view candidates = line.substr(space + 2);
  while (!candidates.empty()) {
    const size_t slash = candidates.find('/');
    std::string_view candidate = candidates.substr(0, slash);
    candidates = slash == std::string_view::npos ? std::string_view() : candidates.substr(slash + 1);
    candidate = candidate.substr(0, candidate.find(';'));  // the annotation
    if (candidate.empty() || candidate.size() > UINT16_MAX || candidate[0] == '(' ||
        candidate.find_first_of("#[]") != std::string_view::npos) {
      continue;  // program code, number patterns, okuri blocks
    }
    if (entries_.size() >= kNone - 1) return;
    const uint32_t bucket = Hash(candidate) & static_cast<uint32_t>(buckets_.size() - 1);
    entries_.push_back({static_cast<uint32_t>(candidate.data() - text_.data()),
                        static_cast<uint32_t>(reading.data() - text_.data()), buckets_[bucket],
                        static_cast<uint16_t>(candidate.size()), static_cast<uint8_t>(reading.size()), okuri});
    buckets_[bucket] = static_cast<uint32_t>(entries_.size() - 1);
  }
}

void SkkReadings::Index() const {
  if (indexed_) return;
  indexed_ = true;
  // Offsets are 32 bits: a larger file is not a dictionary this reads.
  if (text_.size() >= kNone) return;
  size_t buckets = 1024;
  while (buckets < text_.size() / 8) buckets *= 2;
  buckets_.assign(buckets, kNone);
  entries_.reserve(text_.size() / 16);
  const std::string_view text = text_;
  for (size_t lineStart = 0; lineStart < text.size();) {
    size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    IndexLine(text.substr(lineStart, lineEnd - lineStart));
    lineStart = lineEnd + 1;
  }
}

std::vector<const SkkReadings::Entry*> SkkReadings::Lookup(std::string_view eucWord) const {
  Index();
  std::vector<const Entry*> found;
  if (buckets_.empty()) return found;
  for (uint32_t at = buckets_[Hash(eucWord) & (buckets_.size() - 1)]; at != kNone; at = entries_[at].next) {
    if (Word(entries_[at]) == eucWord) found.push_back(&entries_[at]);
  }
  std::reverse(found.begin(), found.end());  // each bucket is chained from its last entry
  return found;
}

std::vector<std::string> SkkReadings::Find(std::string_view word) const {
  std::vector<std::string> readings;
  std::string euc;
  // Symbols are typed through their names ("きごう", "かぎかっこ", "おなじ"
  // for "々"): those are no readings.
  if (word.empty() || IsSymbolText(word) || !EucFromSjis(word, euc)) return readings;
  std::unordered_set<std::string> seen;  // a crafted file may give one word very many
  for (const Entry* e : Lookup(euc)) {
    if (e->okuri != 0) continue;
    std::string reading = ReadingFromEuc(EucReading(*e));
    if (!reading.empty() && seen.insert(reading).second) readings.push_back(std::move(reading));
  }
  return readings;
}

std::vector<SkkReadings::Stem> SkkReadings::FindStems(std::string_view kanji) const {
  std::vector<Stem> stems;
  std::string euc;
  if (kanji.empty() || IsSymbolText(kanji) || !EucFromSjis(kanji, euc)) return stems;
  std::unordered_set<std::string> seen;
  for (const Entry* e : Lookup(euc)) {
    if (e->okuri == 0) continue;
    Stem stem{ReadingFromEuc(EucReading(*e)), e->okuri};
    if (!stem.reading.empty() && seen.insert(stem.reading + e->okuri).second) stems.push_back(std::move(stem));
  }
  return stems;
}

bool SkkReadings::EndsCompound(std::string_view part, std::string_view reading) const {
  std::string eucPart, eucReading;
  if (part.empty() || reading.empty() || !EucFromSjis(part, eucPart) || !EucFromSjis(reading, eucReading) ||
      eucPart.size() < 2) {
    return false;
  }
  Index();
  if (byLastCharacter_.empty()) {
    for (uint32_t at = 0; at < entries_.size(); ++at) {
      const std::string_view word = Word(entries_[at]);
      if (entries_[at].okuri == 0 && word.size() >= 4) byLastCharacter_[word.substr(word.size() - 2)].push_back(at);
    }
  }
  const auto found = byLastCharacter_.find(std::string_view(eucPart).substr(eucPart.size() - 2));
  if (found == byLastCharacter_.end()) return false;
  const auto endsWith = [](std::string_view text, std::string_view end) {
    return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
  };
  return std::any_of(found->second.begin(), found->second.end(), [&](uint32_t at) {
    return endsWith(Word(entries_[at]), eucPart) && endsWith(EucReading(entries_[at]), eucReading);
  });
}

size_t SkkReadings::EntryCount() const {
  Index();
  return entries_.size();
}

void SkkReadings::CountCompoundReadings() const {
  if (counted_) return;
  counted_ = true;
  Index();
  // Each single-kanji entry with the number of two-kanji words whose reading
  // it begins or ends.
  ReadingTries tries;
  std::vector<std::pair<uint32_t, uint32_t>> nodes(entries_.size(), {0, 0});
  for (size_t at = 0; at < entries_.size(); ++at) {
    const Entry& e = entries_[at];
    if (e.okuri != 0 || !IsEucKanji(Word(e))) continue;
    nodes[at] = {tries.Add(Word(e), 0, EucReading(e)), tries.Add(Word(e), 1, EucReading(e))};
  }
  for (const Entry& e : entries_) {
    const std::string_view word = Word(e);
    if (e.okuri != 0 || word.size() != 4 || !IsEucKanji(word.substr(0, 2)) || !IsEucKanji(word.substr(2, 2))) {
      continue;
    }
    tries.CountWithin(word.substr(0, 2), 0, EucReading(e));
    tries.CountWithin(word.substr(2, 2), 1, EucReading(e));
  }
  // Per kanji the best confirmed; unconfirmed, the shortest reading:
  // Sino-Japanese readings are one or two syllables, native ones mostly
  // longer. Of equals, the first in the file.
  std::unordered_map<std::string_view, uint32_t> best;
  std::vector<std::string_view> order;
  const auto confirmed = [&](uint32_t at) { return tries.Count(nodes[at].first) + tries.Count(nodes[at].second); };
  for (uint32_t at = 0; at < entries_.size(); ++at) {
    const Entry& e = entries_[at];
    if (e.okuri != 0 || !IsEucKanji(Word(e))) continue;
    const auto [chosen, added] = best.try_emplace(Word(e), at);
    if (added) {
      order.push_back(Word(e));
      continue;
    }
    const uint32_t c = confirmed(at), b = confirmed(chosen->second);
    if (c > b || (c == b && e.readingLength < entries_[chosen->second].readingLength)) chosen->second = at;
  }
  for (std::string_view kanji : order) {
    const Entry& e = entries_[best[kanji]];
    std::string sjis = SjisFromEuc(kanji), reading = ReadingFromEuc(EucReading(e));
    if (!sjis.empty() && !reading.empty()) compoundReadings_.emplace_back(std::move(sjis), std::move(reading));
  }
  std::sort(compoundReadings_.begin(), compoundReadings_.end());
}

std::string SkkReadings::CompoundReading(std::string_view kanji) const {
  CountCompoundReadings();
  auto at = std::lower_bound(compoundReadings_.begin(), compoundReadings_.end(), kanji,
                             [](const auto& entry, std::string_view k) { return entry.first < k; });
  if (at == compoundReadings_.end() || at->first != kanji) return {};
  return at->second;
}
