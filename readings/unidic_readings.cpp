#include "readings/unidic_readings.h"

#include <algorithm>

#include "convert/sjis_text.h"
#include "readings/kana_folding.h"

namespace {

// A reading as the proposer gives it: not empty (a lone "・" folds to
// nothing), and folding it again changes nothing. A table from outside may
// hold marks that fold into something else next to the kana before them.
bool IsFoldedReading(const std::string& reading) {
  std::string again;
  return !reading.empty() && AppendKanaReading(reading, again) && again == reading;
}

bool IsKanji(std::string_view two) {
  return two.size() == 2 && IsSjisKanjiLeadByte(static_cast<unsigned char>(two[0]));
}

bool IsKanjiPair(std::string_view word) {
  return word.size() == 4 && IsKanji(word.substr(0, 2)) && IsKanji(word.substr(2, 2));
}

// A kanji's two bytes as one number, for counting lines by it.
uint32_t KanjiKey(std::string_view two) {
  return static_cast<unsigned char>(two[0]) << 8 | static_cast<unsigned char>(two[1]);
}

std::string_view KeyOf(std::string_view line) { return line.substr(0, line.find('\t')); }

bool StartsWith(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && text.substr(0, start.size()) == start;
}

}  // namespace

void UnidicReadings::Load(std::string sjisText) {
  file_.reset();
  ownText_ = std::move(sjisText);
  text_ = ownText_;
  Forget();
}

void UnidicReadings::Load(std::unique_ptr<MappedFile> file) {
  ownText_.clear();
  file_ = std::move(file);
  text_ = file_ ? file_->Text() : std::string_view();
  Forget();
}

void UnidicReadings::Forget() {
  pairsIndexed_ = false;
  bySecond_.clear();
  secondStarts_.clear();
  partReadings_.clear();
}

std::string_view UnidicReadings::LineAt(size_t offset) const {
  const std::string_view text = text_;
  if (offset >= text.size()) return {};
  const size_t end = text.find('\n', offset);
  return text.substr(offset, end == std::string_view::npos ? std::string_view::npos : end - offset);
}

size_t UnidicReadings::LowerBound(std::string_view word) const {
  const std::string_view text = text_;
  // [lo, hi) holds whole lines; lo starts one, hi ends one. A line feed is
  // never the second byte of a code page 932 character, so the line around
  // any byte starts right after the line feed before it.
  size_t lo = 0, hi = text.size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    size_t start = lo;
    if (mid > lo) {
      const size_t feed = text.rfind('\n', mid - 1);
      if (feed != std::string_view::npos && feed >= lo) start = feed + 1;
    }
    const std::string_view line = LineAt(start);
    if (KeyOf(line) < word) {
      lo = start + line.size() + 1;
    } else {
      hi = start;
    }
  }
  return std::min(lo, text.size());
}

std::string_view UnidicReadings::Line(std::string_view word) const {
  if (word.empty()) return {};
  const std::string_view line = LineAt(LowerBound(word));
  if (KeyOf(line) != word) return {};
  return word.size() < line.size() ? line.substr(word.size() + 1) : std::string_view();
}

std::vector<std::string_view> UnidicReadings::RawReadingsOf(std::string_view rest) {
  std::vector<std::string_view> readings;
  while (!rest.empty()) {
    const size_t tab = rest.find('\t');
    std::string_view kana = rest.substr(0, tab);
    rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
    if (!kana.empty() && kana.back() == '\r') kana.remove_suffix(1);
    if (!kana.empty()) readings.push_back(kana);
  }
  return readings;
}

std::vector<std::string> UnidicReadings::ReadingsOf(std::string_view rest) {
  std::vector<std::string> readings;
  for (std::string_view kana : RawReadingsOf(rest)) {
    std::string reading;
    if (AppendKanaReading(kana, reading) && IsFoldedReading(reading) &&
        std::find(readings.begin(), readings.end(), reading) == readings.end()) {
      readings.push_back(std::move(reading));
    }
  }
  return readings;
}

std::vector<std::string> UnidicReadings::Find(std::string_view word) const { return ReadingsOf(Line(word)); }

namespace {

bool Contains(const std::vector<std::string>& list, std::string_view s) {
  return std::find(list.begin(), list.end(), s) != list.end();
}

}  // namespace

void UnidicReadings::CountPart(std::string_view line, int end, const std::vector<std::string>& own,
                               std::vector<PartReading>& parts) const {
  const std::string_view word = KeyOf(line);
  if (!IsKanjiPair(word) || word.size() >= line.size()) return;
  std::vector<std::string> other;
  for (const std::string& r : ReadingsOf(Line(word.substr(end == 0 ? 2 : 0, 2)))) AddCompoundForms(r, 1 - end, other);
  for (const std::string& whole : ReadingsOf(line.substr(word.size() + 1))) {
    if (whole.size() % 2 != 0) continue;
    for (size_t cut = 2; cut < whole.size(); cut += 2) {
      const std::string_view first = std::string_view(whole).substr(0, cut);
      const std::string_view second = std::string_view(whole).substr(cut);
      const std::string_view mine = end == 0 ? first : second, theirs = end == 0 ? second : first;
      if (!Contains(own, mine) && !Contains(other, theirs)) continue;
      const auto found = std::find_if(parts.begin(), parts.end(), [&](const PartReading& p) { return p.reading == mine; });
      if (found != parts.end()) {
        ++found->count;
      } else {
        parts.push_back({std::string(mine), 1});
      }
    }
  }
}

const std::vector<UnidicReadings::PartReading>& UnidicReadings::PartReadings(std::string_view kanji, int end) const {
  std::string key(1, static_cast<char>('0' + end));
  key += kanji;
  const auto [found, added] = partReadings_.try_emplace(std::move(key));
  std::vector<PartReading>& parts = found->second;
  if (!added) return parts;
  std::vector<std::string> own;
  for (const std::string& r : Find(kanji)) AddCompoundForms(r, end, own);
  if (end == 0) {
    // The words starting with the kanji follow its own line.
    for (size_t at = LowerBound(kanji); at < text_.size();) {
      const std::string_view line = LineAt(at);
      if (!StartsWith(line, kanji)) break;
      CountPart(line, 0, own, parts);
      at += line.size() + 1;
    }
    return parts;
  }
  if (!pairsIndexed_) {
    // One pass counting the lines by their second kanji, one putting them
    // in place: no sort, as a program asking for one word waits for it.
    pairsIndexed_ = true;
    std::vector<uint32_t> pairs;
    secondStarts_.assign(kKanjiKeys + 1, 0);
    for (size_t at = 0; at < text_.size() && text_.size() <= UINT32_MAX;) {
      const std::string_view line = LineAt(at);
      const std::string_view word = KeyOf(line);
      if (IsKanjiPair(word)) {
        pairs.push_back(static_cast<uint32_t>(at));
        ++secondStarts_[KanjiKey(word.substr(2, 2)) + 1];
      }
      at += line.size() + 1;
    }
    for (size_t k = 1; k <= kKanjiKeys; ++k) secondStarts_[k] += secondStarts_[k - 1];
    bySecond_.resize(pairs.size());
    std::vector<uint32_t> next(secondStarts_.begin(), secondStarts_.end() - 1);
    for (const uint32_t at : pairs) bySecond_[next[KanjiKey(text_.substr(at + 2, 2))]++] = at;
  }
  const uint32_t second = KanjiKey(kanji);
  for (uint32_t i = secondStarts_[second]; i < secondStarts_[second + 1]; ++i) CountPart(LineAt(bySecond_[i]), 1, own, parts);
  return parts;
}

std::vector<UnidicReadings::ScoredReading> UnidicReadings::PairReadings(std::string_view word, size_t count,
                                                                        const std::vector<std::string>& firstAlone,
                                                                        const std::vector<std::string>& secondAlone) const {
  if (!IsKanjiPair(word)) return {};
  const std::vector<PartReading>& firstParts = PartReadings(word.substr(0, 2), 0);
  const std::vector<PartReading>& secondParts = PartReadings(word.substr(2, 2), 1);
  if (firstParts.empty() && secondParts.empty()) return {};
  std::vector<PartReading> firstOwn, secondOwn;
  const auto orAlone = [](const std::vector<PartReading>& parts, const std::vector<std::string>& alone,
                          std::vector<PartReading>& own) -> const std::vector<PartReading>& {
    if (!parts.empty()) return parts;
    for (const std::string& r : alone) {
      if (IsFoldedReading(r)) own.push_back({r, 1});
    }
    return own;
  };
  const std::vector<PartReading>& firsts = orAlone(firstParts, firstAlone, firstOwn);
  const std::vector<PartReading>& seconds = orAlone(secondParts, secondAlone, secondOwn);
  struct Scored {
    ScoredReading scored;
    size_t made;  // the order it was made in, which settles equal scores
  };
  std::vector<Scored> all;
  for (const PartReading& a : firsts) {
    for (const PartReading& b : seconds) {
      if (!CanJoinReadings(a.reading, b.reading)) continue;
      std::string reading = a.reading + b.reading;
      if (!IsFoldedReading(reading)) continue;
      const unsigned long long score =
          1ull * a.count * b.count * (IsSinoShaped(a.reading) == IsSinoShaped(b.reading) ? 10 : 1);
      all.push_back({{std::move(reading), score}, all.size()});
    }
  }
  // One reading made two ways (か+いき, かい+き) counts its best way.
  std::sort(all.begin(), all.end(), [](const Scored& a, const Scored& b) {
    return a.scored.reading != b.scored.reading ? a.scored.reading < b.scored.reading
                                                : a.scored.score > b.scored.score;
  });
  all.erase(std::unique(all.begin(), all.end(),
                        [](const Scored& a, const Scored& b) { return a.scored.reading == b.scored.reading; }),
            all.end());
  std::sort(all.begin(), all.end(), [](const Scored& a, const Scored& b) {
    return a.scored.score != b.scored.score ? a.scored.score > b.scored.score : a.made < b.made;
  });
  std::vector<ScoredReading> readings;
  for (size_t i = 0; i < all.size() && i < count; ++i) readings.push_back(std::move(all[i].scored));
  return readings;
}
