#include "wordlist/reading_fill.h"

#include <string>
#include <string_view>

#include "convert/sjis_text.h"

namespace {

void FillRow(WordList list, int index, ReadingProposer& proposer, std::string& reading, ReadingFillCount& count) {
  if (WordRowText(list, index, 0).empty() || !WordRowText(list, index, 1).empty()) return;
  WordEntry entry;
  GetWholeWordRow(list, index, entry);
  if (!proposer.Propose(entry.word, reading)) {
    ++count.unproposed;
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

ReadingFillCount FillMissingReadings(WordList list, ReadingProposer& proposer) {
  ReadingFillCount count;
  std::string reading;
  const int first = FirstSelectedRow(list);
  int second = -1;
  for (int i = first + 1; first >= 0 && i < RowCount(list); ++i) {
    if (IsWordRowSelected(list, i)) {
      second = i;
      break;
    }
  }
  if (second < 0) {
    for (int i = 0; i < RowCount(list); ++i) FillRow(list, i, proposer, reading, count);
    return count;
  }
  for (int i = first; i < RowCount(list); ++i) {
    if (IsWordRowSelected(list, i)) FillRow(list, i, proposer, reading, count);
  }
  return count;
}
