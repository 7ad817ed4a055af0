#include "readings/unidic_readings.h"

#include <algorithm>

#include "readings/kana_folding.h"

void UnidicReadings::Load(std::string sjisText) { text_ = std::move(sjisText); }

std::string_view UnidicReadings::Line(std::string_view word) const {
  const std::string_view text = text_;
  if (word.empty()) return {};
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
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    const std::string_view key = line.substr(0, line.find('\t'));
    const int order = key.compare(word);
    if (order == 0) return key.size() < line.size() ? line.substr(key.size() + 1) : std::string_view();
    if (order < 0) {
      lo = end + 1;
    } else {
      hi = start;
    }
  }
  return {};
}

std::vector<std::string> UnidicReadings::Find(std::string_view word) const {
  std::vector<std::string> readings;
  std::string_view rest = Line(word);
  while (!rest.empty()) {
    const size_t tab = rest.find('\t');
    std::string_view kana = rest.substr(0, tab);
    rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
    if (!kana.empty() && kana.back() == '\r') kana.remove_suffix(1);
    std::string reading;
    if (!kana.empty() && AppendKanaReading(kana, reading) &&
        std::find(readings.begin(), readings.end(), reading) == readings.end()) {
      readings.push_back(std::move(reading));
    }
  }
  return readings;
}
