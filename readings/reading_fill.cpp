#include "readings/reading_fill.h"

#include <string>
#include <string_view>

#include "convert/reading_conversion.h"
#include "convert/sjis_text.h"
#include "files/word_file_writer.h"

// The format's limits are each field's own: a probe row tells.
bool ProposalFits(WordFileFormat format, const std::string& reading) {
  WordEntry probe{"a", "", ""};
  if (CopySjisText(probe.reading, reading) != reading.size()) return false;
  if (ConvertReadingToBaseform(probe.reading, probe.baseform) != 1) return false;
  return RowProblemFor(format, probe) == RowProblem::kNone;
}

namespace {

void FillRow(WordList list, int index, ReadingProposer& proposer, WordFileFormat format, std::string& reading,
             ReadingFillCount& count) {
  WordEntry entry;
  GetWholeWordRow(list, index, entry);
  if (!proposer.Propose(entry.word, reading)) {
    if (proposer.Failed()) {
      count.failed = true;
    } else {
      ++count.unproposed;
    }
    return;
  }
  if (!ProposalFits(format, reading)) {
    ++count.unproposed;
    ++count.unfit;
    return;
  }
  CopySjisText(entry.reading, reading);
  // A baseform the row already has was written by someone: it stays.
  if (entry.baseform[0] == '\0') ConvertReadingToBaseform(entry.reading, entry.baseform);
  SetWordRow(list, index, entry);
  if (WordRowText(list, index, 1) == std::string_view(entry.reading)) {
    ++count.filled;
  } else {
    ++count.unstored;
  }
}

}  // namespace

namespace {

bool NeedsReading(WordList list, int index) {
  return !WordRowText(list, index, 0).empty() && WordRowText(list, index, 1).empty();
}

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

ReadingFillCount FillReadingsOf(WordList list, const std::vector<int>& rows, ReadingProposer& proposer,
                                WordFileFormat format) {
  ReadingFillCount count;
  std::string reading;
  for (int i : rows) {
    FillRow(list, i, proposer, format, reading, count);
    if (count.failed) break;
  }
  return count;
}

ReadingFillCount FillMissingReadings(WordList list, ReadingProposer& proposer, WordFileFormat format) {
  return FillReadingsOf(list, RowsWithoutReadings(list), proposer, format);
}
