#include "readings/reading_fold.h"

#include <string>
#include <string_view>

#include "convert/sjis_text.h"
#include "readings/kana_folding.h"

namespace {

// The folded reading of the row, when folding changes it.
bool FoldedReading(WordList list, int index, std::string& folded) {
  const std::string_view reading = WordRowText(list, index, 1);
  folded.clear();
  return !reading.empty() && AppendKanaReading(reading, folded) && folded != reading;
}

}  // namespace

std::vector<int> RowsWithKatakanaReadings(WordList list) {
  std::vector<int> rows;
  std::string folded;
  const int first = FirstSelectedRow(list);
  if (first >= 0 && NextSelectedRow(list, first) >= 0) {
    for (int i = first; i >= 0; i = NextSelectedRow(list, i)) {
      if (FoldedReading(list, i, folded)) rows.push_back(i);
    }
    return rows;
  }
  for (int i = 0; i < RowCount(list); ++i) {
    if (FoldedReading(list, i, folded)) rows.push_back(i);
  }
  return rows;
}

ReadingFoldCount FoldKatakanaReadingsOf(WordList list, const std::vector<int>& rows) {
  ReadingFoldCount count;
  std::string folded;
  for (const int i : rows) {
    if (!FoldedReading(list, i, folded)) continue;
    WordEntry entry;
    GetWholeWordRow(list, i, entry);
    CopySjisText(entry.reading, folded);
    // A baseform the row already has was written by someone: it stays.
    if (entry.baseform[0] == '\0') ConvertReadingToBaseform(entry.reading, entry.baseform);
    SetWordRow(list, i, entry);
    if (WordRowText(list, i, 1) == std::string_view(entry.reading)) {
      ++count.folded;
    } else {
      ++count.unstored;
    }
  }
  return count;
}

ReadingFoldCount FoldKatakanaReadings(WordList list) {
  return FoldKatakanaReadingsOf(list, RowsWithKatakanaReadings(list));
}
