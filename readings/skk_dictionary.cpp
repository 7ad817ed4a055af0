#include "readings/skk_dictionary.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "convert/sjis_text.h"
#include "readings/kana_folding.h"

namespace {

// An annotation that marks a word archaic says "古語" (in EUC-JP).
constexpr std::string_view kArchaic = "\xB8\xC5\xB8\xEC";
// The longest candidate an entry keeps: its length has 15 bits.
constexpr size_t kLongestCandidate = 0x7FFF;

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

// A hiragana character or "ー" in EUC-JP at `at`, which has two bytes.
bool IsEucHiraganaAt(const char* at) {
  const auto lead = static_cast<unsigned char>(at[0]);
  const auto trail = static_cast<unsigned char>(at[1]);
  return (lead == 0xA4 && trail >= 0xA1 && trail <= 0xF3) || (lead == 0xA1 && trail == 0xBC);
}

// What a byte of a line's candidates is: "/" and ";" end a candidate,
// "#", "[" and "]" mark one that is no word.
enum ByteKind : uint8_t { kPlain, kEnds, kCode };
constexpr std::array<ByteKind, 256> kByteKinds = [] {
  std::array<ByteKind, 256> kinds{};
  kinds['/'] = kinds[';'] = kEnds;
  kinds['#'] = kinds['['] = kinds[']'] = kCode;
  return kinds;
}();

// Words are grouped by two of their bytes.
uint32_t PairKey(std::string_view two) {
  return static_cast<uint32_t>(static_cast<unsigned char>(two[0]) << 8 | static_cast<unsigned char>(two[1]));
}
constexpr uint32_t kPairKeys = 1u << 16;

}  // namespace

void SkkReadings::Load(std::string eucText) {
  file_.reset();
  ownText_ = std::move(eucText);
  text_ = ownText_;
  Forget();
}

void SkkReadings::Load(std::unique_ptr<MappedFile> file) {
  ownText_.clear();
  file_ = std::move(file);
  text_ = file_ ? file_->Text() : std::string_view();
  Forget();
}

void SkkReadings::Forget() {
  indexed_ = grouped_ = false;
  entries_.clear();
  buckets_.clear();
  byLast_.clear();
  lastStarts_.clear();
  byFirst_.clear();
  firstStarts_.clear();
  compoundReadings_.clear();
}

// One line "READING /CANDIDATE/CANDIDATE;ANNOTATION/.../", `end` at its
// newline or at the end of the text. Each entry's `next` holds the hash of
// its word until the buckets are made.
void SkkReadings::IndexLine(const char* line, const char* end) const {
  const char* at = line;
  while (end - at >= 2 && IsEucHiraganaAt(at)) at += 2;
  const char* const readingEnd = at;
  if (readingEnd == line || readingEnd - line > UINT8_MAX) return;
  char okuri = 0;
  if (at < end && *at >= 'a' && *at <= 'z') okuri = *at++;
  if (end - at < 2 || at[0] != ' ' || at[1] != '/') return;
  at += 2;
  const auto reading = static_cast<uint32_t>(line - text_.data());
  const auto readingLength = static_cast<uint8_t>(readingEnd - line);
  for (;;) {
    const char* const start = at;
    bool code = false;  // program code, number patterns, okuri blocks
    for (ByteKind kind; at < end && (kind = kByteKinds[static_cast<unsigned char>(*at)]) != kEnds; ++at) {
      code |= kind == kCode;
    }
    const std::string_view candidate(start, static_cast<size_t>(at - start));
    bool archaic = false;
    if (at < end && *at == ';') {  // the annotation
      const char* const annotation = at;
      at = static_cast<const char*>(std::memchr(at, '/', static_cast<size_t>(end - at)));
      if (at == nullptr) at = end;
      archaic = std::string_view(annotation, static_cast<size_t>(at - annotation)).find(kArchaic) != std::string_view::npos;
    }
    if (!candidate.empty() && candidate.size() <= kLongestCandidate && candidate[0] != '(' && !code) {
      if (entries_.size() >= kNone - 1) return;
      entries_.push_back({static_cast<uint32_t>(start - text_.data()), reading, Hash(candidate),
                          static_cast<uint16_t>(candidate.size()), archaic, readingLength, okuri});
    }
    if (at == end) return;
    ++at;  // the slash
  }
}

void SkkReadings::Index() const {
  if (indexed_) return;
  indexed_ = true;
  // Offsets are 32 bits: a larger file is not a dictionary this reads.
  if (text_.size() >= kNone) return;
  entries_.reserve(text_.size() / 16);
  const char* const text = text_.data();
  const char* const end = text + text_.size();
  for (const char* line = text; line < end;) {
    const auto* lineEnd = static_cast<const char*>(std::memchr(line, '\n', static_cast<size_t>(end - line)));
    if (lineEnd == nullptr) lineEnd = end;
    IndexLine(line, lineEnd);
    line = lineEnd + 1;
  }
  size_t buckets = 1024;
  while (buckets < entries_.size()) buckets *= 2;
  buckets_.assign(buckets, kNone);
  const auto mask = static_cast<uint32_t>(buckets - 1);
  for (uint32_t at = 0; at < entries_.size(); ++at) {
    uint32_t& bucket = buckets_[entries_[at].next & mask];
    entries_[at].next = bucket;
    bucket = at;
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
  // Each once: looked for among the few found so far, or, past those, in a
  // set (a crafted file may give one word very many).
  constexpr size_t kFew = 16;
  std::unordered_set<std::string> seen;
  const std::vector<const Entry*> found = Lookup(euc);
  for (const bool archaic : {false, true}) {
    for (const Entry* e : found) {
      if (e->okuri != 0 || e->archaic != archaic) continue;
      std::string reading = ReadingFromEuc(EucReading(*e));
      if (reading.empty()) continue;
      if (readings.size() < kFew) {
        if (std::find(readings.begin(), readings.end(), reading) != readings.end()) continue;
      } else {
        if (seen.empty()) seen.insert(readings.begin(), readings.end());
        if (!seen.insert(reading).second) continue;
      }
      readings.push_back(std::move(reading));
    }
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

// One group for each pair of bytes in a dictionary of many entries; fewer,
// shared, in a small one, whose groups would mostly stay empty. The pair is
// shifted onto itself first (a one-to-one change), so that what a small
// dictionary's groups share is mixed from both bytes.
uint32_t SkkReadings::GroupOf(std::string_view two) const {
  const uint32_t key = PairKey(two);
  return (key ^ key >> 7) & groupMask_;
}

// Two passes over the entries: one counts each group, one places each
// entry, from the last, at the end of what is left of its group.
void SkkReadings::Group() const {
  if (grouped_) return;
  grouped_ = true;
  Index();
  const auto isTwoKanji = [this](const Entry& e) {
    return e.wordLength == 4 && IsEucKanji(Word(e).substr(0, 2)) && IsEucKanji(Word(e).substr(2, 2));
  };
  uint32_t groups = 16;
  while (groups < kPairKeys && groups < entries_.size()) groups *= 2;
  groupMask_ = groups - 1;
  lastStarts_.assign(groups + 1, 0);
  firstStarts_.assign(groups + 1, 0);
  for (const Entry& e : entries_) {
    if (e.okuri != 0 || e.wordLength < 4) continue;
    ++lastStarts_[GroupOf(Word(e).substr(e.wordLength - 2))];
    if (isTwoKanji(e)) ++firstStarts_[GroupOf(Word(e))];
  }
  for (uint32_t k = 1; k <= groups; ++k) {  // each group's end
    lastStarts_[k] += lastStarts_[k - 1];
    firstStarts_[k] += firstStarts_[k - 1];
  }
  byLast_.resize(lastStarts_.back());
  byFirst_.resize(firstStarts_.back());
  for (uint32_t at = static_cast<uint32_t>(entries_.size()); at-- > 0;) {
    const Entry& e = entries_[at];
    if (e.okuri != 0 || e.wordLength < 4) continue;
    byLast_[--lastStarts_[GroupOf(Word(e).substr(e.wordLength - 2))]] = at;
    if (isTwoKanji(e)) byFirst_[--firstStarts_[GroupOf(Word(e))]] = at;
  }
}

bool SkkReadings::EndsCompound(std::string_view part, std::string_view reading) const {
  std::string eucPart, eucReading;
  if (part.empty() || reading.empty() || !EucFromSjis(part, eucPart) || !EucFromSjis(reading, eucReading) ||
      eucPart.size() < 2) {
    return false;
  }
  Group();
  const auto endsWith = [](std::string_view text, std::string_view end) {
    return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
  };
  const uint32_t group = GroupOf(std::string_view(eucPart).substr(eucPart.size() - 2));
  for (uint32_t i = lastStarts_[group]; i < lastStarts_[group + 1]; ++i) {
    const Entry& e = entries_[byLast_[i]];
    if (endsWith(Word(e), eucPart) && endsWith(EucReading(e), eucReading)) return true;
  }
  return false;
}

size_t SkkReadings::EntryCount() const {
  Index();
  return entries_.size();
}

// Of the kanji's own readings, the one the most two-kanji words confirm:
// that begin their reading with it when the kanji comes first, that end it
// with it when the kanji comes second (a reading the whole of the word's
// is no confirmation). Unconfirmed, the shortest: Sino-Japanese readings
// are one or two syllables, native ones mostly longer. Of equals, the first
// in the file. The work is the length of the kanji's words' readings,
// however many readings the kanji has.
std::string SkkReadings::ChooseCompoundReading(std::string_view eucKanji) const {
  std::vector<const Entry*> own = Lookup(eucKanji);
  own.erase(std::remove_if(own.begin(), own.end(), [](const Entry* e) { return e->okuri != 0; }), own.end());
  if (own.empty()) return {};
  Group();
  std::unordered_map<std::string_view, uint32_t> confirmed;
  for (const Entry* e : own) confirmed.emplace(EucReading(*e), 0);
  const uint32_t group = GroupOf(eucKanji);
  for (uint32_t i = firstStarts_[group]; i < firstStarts_[group + 1]; ++i) {
    const Entry& e = entries_[byFirst_[i]];
    if (Word(e).substr(0, 2) != eucKanji) continue;
    const std::string_view reading = EucReading(e);
    for (size_t length = 2; length < reading.size(); length += 2) {
      if (const auto found = confirmed.find(reading.substr(0, length)); found != confirmed.end()) ++found->second;
    }
  }
  for (uint32_t i = lastStarts_[group]; i < lastStarts_[group + 1]; ++i) {
    const Entry& e = entries_[byLast_[i]];
    if (e.wordLength != 4 || !IsEucKanji(Word(e).substr(0, 2)) || Word(e).substr(2) != eucKanji) continue;
    const std::string_view reading = EucReading(e);
    for (size_t length = 2; length < reading.size(); length += 2) {
      const auto found = confirmed.find(reading.substr(reading.size() - length));
      if (found != confirmed.end()) ++found->second;
    }
  }
  const Entry* best = own.front();
  for (const Entry* e : own) {
    const uint32_t c = confirmed[EucReading(*e)], b = confirmed[EucReading(*best)];
    if (c > b || (c == b && e->readingLength < best->readingLength)) best = e;
  }
  return ReadingFromEuc(EucReading(*best));
}

std::string SkkReadings::CompoundReading(std::string_view kanji) const {
  std::string euc;
  if (!EucFromSjis(kanji, euc) || !IsEucKanji(euc)) return {};
  const uint32_t key = PairKey(euc);
  if (const auto known = compoundReadings_.find(key); known != compoundReadings_.end()) return known->second;
  std::string reading = ChooseCompoundReading(euc);
  compoundReadings_.emplace(key, reading);
  return reading;
}
