#include "readings/reading_fill.h"

#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "convert/sjis_text.h"

namespace {

bool NeedsReading(WordList list, int index) {
  return !WordRowText(list, index, 0).empty() && WordRowText(list, index, 1).empty();
}

// Rows between two questions to `progress`: a few milliseconds of proposals.
constexpr size_t kProgressBlock = 256;

}  // namespace

// The selected rows are walked from one to the next: asking the list control
// of each row whether it is selected would look at every row each time.
std::vector<int> RowsWithoutReadings(WordList list) {
  std::vector<int> rows;
  const int first = FirstSelectedRow(list);
  if (first >= 0 && NextSelectedRow(list, first) >= 0) {
    for (int i = first; i >= 0; i = NextSelectedRow(list, i)) {
      if (NeedsReading(list, i)) rows.push_back(i);
    }
    return rows;
  }
  for (int i = 0; i < RowCount(list); ++i) {
    if (NeedsReading(list, i)) rows.push_back(i);
  }
  return rows;
}

bool ProposeReadings(WordList list, const std::vector<int>& rows, ReadingProposer& proposer, WordList texts,
                     std::vector<uint32_t>& changed, ReadingFillCount& count, const FillProgress& progress) {
  try {
    changed.reserve(changed.size() + rows.size());
  } catch (const std::bad_alloc&) {
    count.unstored += static_cast<int>(rows.size());
    return true;
  }
  std::string proposal;
  char reading[kWordFieldSize];
  char baseform[kBaseformSize];
  for (size_t i = 0; i < rows.size(); ++i) {
    if (progress && i % kProgressBlock == 0 && !progress(i)) return false;
    const int row = rows[i];
    const std::string_view word = WordRowText(list, row, 0);
    if (!proposer.Propose(word, proposal)) {
      ++count.unproposed;
      continue;
    }
    CopySjisText(reading, proposal);
    // A baseform the row already has was written by someone: it stays.
    std::string_view form = WordRowText(list, row, 2);
    if (form.empty()) {
      ConvertReadingToBaseform(reading, baseform);
      form = baseform;
    }
    const std::string_view fields[kWordColumns] = {word, reading, form};
    if (AppendWordRowTexts(texts, fields)) {
      changed.push_back(static_cast<uint32_t>(row));
      ++count.filled;
    } else {
      ++count.unstored;
    }
  }
  if (progress) progress(rows.size());
  return true;
}

ReadingFillCount FillMissingReadings(WordList list, ReadingProposer& proposer) {
  ReadingFillCount count;
  const std::unique_ptr<WordTable, void (*)(WordList)> texts(CreateWordTable(), DestroyWordTable);
  std::vector<uint32_t> changed;
  const std::vector<int> rows = RowsWithoutReadings(list);
  if (!texts || !ProposeReadings(list, rows, proposer, texts.get(), changed, count) ||
      RowCount(texts.get()) != static_cast<int>(changed.size()) || !ExchangeWordRowTexts(list, changed, texts.get())) {
    count.unstored += count.filled;
    count.filled = 0;
  }
  return count;
}
