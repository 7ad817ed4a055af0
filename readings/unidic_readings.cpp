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

// Lines of two-kanji words (by their offsets) ordered by the second kanji.
struct SecondKanjiOrder {
  std::string_view text;
  std::string_view Second(uint32_t at) const { return text.substr(at + 2, 2); }
  bool operator()(uint32_t a, uint32_t b) const { return Second(a) < Second(b); }
  bool operator()(uint32_t a, std::string_view kanji) const { return Second(a) < kanji; }
  bool operator()(std::string_view kanji, uint32_t a) const { return kanji < Second(a); }
};

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
  partCounts_.clear();
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

void UnidicReadings::CountPart(std::string_view line, int end, const std::vector<std::string_view>& known,
                               std::vector<unsigned>& counts) const {
  const std::string_view word = KeyOf(line);
  if (!IsKanjiPair(word) || word.size() >= line.size()) return;
  const std::vector<std::string_view> others = RawReadingsOf(Line(word.substr(end == 0 ? 2 : 0, 2)));
  for (const std::string_view whole : RawReadingsOf(line.substr(word.size() + 1))) {
    for (size_t i = 0; i < known.size(); ++i) {
      const std::string_view part = known[i];
      if (part.size() >= whole.size()) continue;
      const std::string_view rest = end == 0 ? whole.substr(part.size()) : whole.substr(0, whole.size() - part.size());
      const std::string_view own = end == 0 ? whole.substr(0, part.size()) : whole.substr(rest.size());
      if (own == part && std::find(others.begin(), others.end(), rest) != others.end()) ++counts[i];
    }
  }
}

const std::vector<unsigned>& UnidicReadings::PartCounts(std::string_view kanji, int end,
                                                        const std::vector<std::string_view>& known) const {
  std::string key(1, static_cast<char>('0' + end));
  key += kanji;
  const auto [found, added] = partCounts_.try_emplace(std::move(key));
  std::vector<unsigned>& counts = found->second;
  if (!added) return counts;
  counts.assign(known.size(), 0);
  if (end == 0) {
    // The words starting with the kanji follow its own line.
    for (size_t at = LowerBound(kanji); at < text_.size();) {
      const std::string_view line = LineAt(at);
      if (!StartsWith(line, kanji)) break;
      CountPart(line, 0, known, counts);
      at += line.size() + 1;
    }
    return counts;
  }
  if (!pairsIndexed_) {
    pairsIndexed_ = true;
    for (size_t at = 0; at < text_.size() && text_.size() <= UINT32_MAX;) {
      const std::string_view line = LineAt(at);
      if (IsKanjiPair(KeyOf(line))) bySecond_.push_back(static_cast<uint32_t>(at));
      at += line.size() + 1;
    }
    std::stable_sort(bySecond_.begin(), bySecond_.end(), SecondKanjiOrder{text_});
  }
  const auto range = std::equal_range(bySecond_.begin(), bySecond_.end(), kanji, SecondKanjiOrder{text_});
  for (auto it = range.first; it != range.second; ++it) CountPart(LineAt(*it), 1, known, counts);
  return counts;
}

std::vector<std::string> UnidicReadings::PairReadings(std::string_view word, size_t count) const {
  if (!IsKanjiPair(word)) return {};
  const std::string_view first = word.substr(0, 2), second = word.substr(2, 2);
  const std::vector<std::string_view> firsts = RawReadingsOf(Line(first)), seconds = RawReadingsOf(Line(second));
  if (firsts.empty() || seconds.empty()) return {};
  const std::vector<unsigned>& firstCounts = PartCounts(first, 0, firsts);
  const std::vector<unsigned>& secondCounts = PartCounts(second, 1, seconds);

  struct Scored {
    unsigned long long score;
    std::string reading;
  };
  std::vector<Scored> scored;
  for (size_t i = 0; i < firsts.size(); ++i) {
    for (size_t j = 0; j < seconds.size(); ++j) {
      std::string reading;
      if (firstCounts[i] > 0 && secondCounts[j] > 0 && AppendKanaReading(firsts[i], reading) &&
          AppendKanaReading(seconds[j], reading) && IsFoldedReading(reading)) {
        scored.push_back({1ull * firstCounts[i] * secondCounts[j], std::move(reading)});
      }
    }
  }
  std::stable_sort(scored.begin(), scored.end(), [](const Scored& a, const Scored& b) { return a.score > b.score; });
  std::vector<std::string> readings;
  for (Scored& s : scored) {
    if (readings.size() >= count) break;
    if (std::find(readings.begin(), readings.end(), s.reading) == readings.end()) readings.push_back(std::move(s.reading));
  }
  return readings;
}
