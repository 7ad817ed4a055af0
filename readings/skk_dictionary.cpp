#include "readings/skk_dictionary.h"

#include <algorithm>

#include "convert/sjis_text.h"

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

// Hiragana ("ぁ" to "ん") and "ー" alone, in code page 932.
bool IsHiraganaText(std::string_view sjis) {
  if (sjis.empty() || sjis.size() % 2 != 0) return false;
  for (size_t at = 0; at < sjis.size(); at += 2) {
    const auto lead = static_cast<unsigned char>(sjis[at]);
    const auto trail = static_cast<unsigned char>(sjis[at + 1]);
    const bool hiragana = lead == 0x82 && trail >= 0x9F && trail <= 0xF1;
    const bool longVowel = lead == 0x81 && trail == 0x5B;
    if (!hiragana && !longVowel) return false;
  }
  return true;
}

}  // namespace

void SkkReadings::Load(std::string_view eucText) {
  text_.clear();
  entries_.clear();
  text_.reserve(eucText.size());
  std::string reading;
  size_t lineStart = 0;
  while (lineStart < eucText.size()) {
    size_t lineEnd = eucText.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = eucText.size();
    const std::string_view line = eucText.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;
    if (line.empty() || line[0] == ';') continue;
    const size_t space = line.find(" /");
    if (space == std::string_view::npos || space == 0) continue;
    reading.clear();
    if (!AppendSjisFromEuc(line.substr(0, space), reading) || !IsHiraganaText(reading)) continue;
    if (reading.size() > UINT16_MAX || text_.size() > UINT32_MAX - line.size() * 2) continue;
    const auto readingOffset = static_cast<uint32_t>(text_.size());
    text_.append(reading);

    std::string_view candidates = line.substr(space + 2);
    while (!candidates.empty()) {
      const size_t slash = candidates.find('/');
      std::string_view candidate = candidates.substr(0, slash);
      candidates = slash == std::string_view::npos ? std::string_view() : candidates.substr(slash + 1);
      candidate = candidate.substr(0, candidate.find(';'));  // the annotation
      if (candidate.empty() || candidate[0] == '(' || candidate.find('#') != std::string_view::npos) continue;
      const size_t wordOffset = text_.size();
      if (!AppendSjisFromEuc(candidate, text_) || text_.size() - wordOffset > UINT16_MAX) {
        text_.resize(wordOffset);
        continue;
      }
      entries_.push_back({static_cast<uint32_t>(wordOffset), readingOffset,
                          static_cast<uint16_t>(text_.size() - wordOffset), static_cast<uint16_t>(reading.size())});
    }
  }
  std::stable_sort(entries_.begin(), entries_.end(),
                   [this](const Entry& a, const Entry& b) { return Word(a) < Word(b); });
  text_.shrink_to_fit();
  entries_.shrink_to_fit();
  CountCompoundReadings();
}

namespace {

bool IsKanji(std::string_view sjis2) {
  const auto lead = static_cast<unsigned char>(sjis2[0]);
  return sjis2.size() == 2 && IsSjisKanjiLeadByte(lead);
}

}  // namespace

void SkkReadings::CountCompoundReadings() {
  compoundReadings_.clear();
  // Each single-kanji entry (the entries of one kanji lie together) with the
  // number of two-kanji words whose reading it begins or ends.
  std::vector<uint32_t> confirmed(entries_.size(), 0);
  auto firstOf = [this](std::string_view kanji) {
    return std::lower_bound(entries_.begin(), entries_.end(), kanji,
                            [this](const Entry& e, std::string_view w) { return Word(e) < w; });
  };
  for (const Entry& e : entries_) {
    const std::string_view word = Word(e);
    if (word.size() != 4 || !IsKanji(word.substr(0, 2)) || !IsKanji(word.substr(2, 2))) continue;
    const std::string_view reading = Reading(e);
    for (int side = 0; side < 2; ++side) {
      const std::string_view kanji = word.substr(side * 2, 2);
      for (auto at = firstOf(kanji); at != entries_.end() && Word(*at) == kanji; ++at) {
        const std::string_view part = Reading(*at);
        if (part.size() >= reading.size()) continue;
        const bool fits = side == 0 ? reading.substr(0, part.size()) == part
                                    : reading.substr(reading.size() - part.size()) == part;
        if (fits) ++confirmed[at - entries_.begin()];
      }
    }
  }
  for (size_t at = 0; at < entries_.size();) {
    const std::string_view kanji = Word(entries_[at]);
    size_t best = at, end = at;
    // Unconfirmed, the shortest reading: Sino-Japanese readings are one or
    // two syllables, native ones mostly longer.
    for (; end < entries_.size() && Word(entries_[end]) == kanji; ++end) {
      if (confirmed[end] > confirmed[best] ||
          (confirmed[end] == confirmed[best] && entries_[end].readingLength < entries_[best].readingLength)) {
        best = end;
      }
    }
    if (IsKanji(kanji)) compoundReadings_.push_back(entries_[best]);
    at = end;
  }
  compoundReadings_.shrink_to_fit();
}

std::string_view SkkReadings::CompoundReading(std::string_view kanji) const {
  auto at = std::lower_bound(compoundReadings_.begin(), compoundReadings_.end(), kanji,
                             [this](const Entry& e, std::string_view w) { return Word(e) < w; });
  if (at == compoundReadings_.end() || Word(*at) != kanji) return {};
  return Reading(*at);
}

std::vector<std::string_view> SkkReadings::Find(std::string_view word) const {
  std::vector<std::string_view> readings;
  auto at = std::lower_bound(entries_.begin(), entries_.end(), word,
                             [this](const Entry& e, std::string_view w) { return Word(e) < w; });
  for (; at != entries_.end() && Word(*at) == word; ++at) {
    const std::string_view r = Reading(*at);
    if (std::find(readings.begin(), readings.end(), r) == readings.end()) readings.push_back(r);
  }
  return readings;
}
