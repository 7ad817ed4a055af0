#include "readings/reading_fill.h"

#include <memory>
#include <new>
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

// The proposal is tried in a row of its own, as the format would hold it in
// any row (the format's limits are each field's own); that row's baseform is
// the one a row without a baseform gets.
bool ProposeReadings(WordList list, const std::vector<int>& rows, ReadingProposer& proposer, WordFileFormat format,
                     WordList texts, std::vector<uint32_t>& changed, ReadingFillCount& count,
                     const FillProgress& progress) {
  try {
    changed.reserve(changed.size() + rows.size());
  } catch (const std::bad_alloc&) {
    count.unstored += static_cast<int>(rows.size());
    return true;
  }
  std::string proposal;
  WordEntry probe{"a", "", ""};
  for (size_t i = 0; i < rows.size(); ++i) {
    if (progress && i % kProgressBlock == 0 && !progress(i)) return false;
    const int row = rows[i];
    const std::string_view word = WordRowText(list, row, 0);
    if (!proposer.Propose(word, proposal)) {
      if (proposer.Failed()) {
        count.failed = true;
        break;
      }
      ++count.unproposed;
      continue;
    }
    if (CopySjisText(probe.reading, proposal) != proposal.size() ||
        ConvertReadingToBaseform(probe.reading, probe.baseform) != 1 ||
        RowProblemFor(format, probe) != RowProblem::kNone) {
      ++count.unproposed;  // no proposal the format can hold
      ++count.unfit;
      continue;
    }
    // A baseform the row already has was written by someone: it stays.
    const std::string_view baseform = WordRowText(list, row, 2);
    const std::string_view fields[kWordColumns] = {{}, probe.reading, baseform.empty() ? probe.baseform : baseform};
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

ReadingFillCount FillMissingReadings(WordList list, ReadingProposer& proposer, WordFileFormat format) {
  ReadingFillCount count;
  const std::unique_ptr<WordTable, void (*)(WordList)> texts(CreateWordTable(), DestroyWordTable);
  std::vector<uint32_t> changed;
  const std::vector<int> rows = RowsWithoutReadings(list);
  if (!texts || !ProposeReadings(list, rows, proposer, format, texts.get(), changed, count) ||
      !ExchangeWordRowTexts(list, changed, texts.get(), kFilledColumns)) {
    count.unstored += count.filled;
    count.filled = 0;
  }
  return count;
}
