#include "wordlist/row_find.h"

#include "convert/sjis_text.h"

bool FieldMatches(std::string_view field, std::string_view text, bool whole) {
  if (whole) return field == text;
  if (text.size() > field.size()) return false;
  const size_t last = field.size() - text.size();
  for (size_t at = 0; at <= last;) {
    if (field.compare(at, text.size(), text) == 0) return true;
    at += IsSjisLeadByte(static_cast<unsigned char>(field[at])) ? 2 : 1;
  }
  return false;
}

bool RowMatches(WordList list, int index, const FindRequest& request) {
  if (request.column >= 0) return FieldMatches(WordRowText(list, index, request.column), request.text, request.whole);
  for (int column = 0; column < kWordColumns; ++column) {
    if (FieldMatches(WordRowText(list, index, column), request.text, request.whole)) return true;
  }
  return false;
}

int FindWordRow(WordList list, int from, bool forward, const FindRequest& request) {
  if (request.column < kFindAllColumns || request.column >= kWordColumns) return -1;
  return FindRowAround(RowCount(list), from, forward, [&](int row) { return RowMatches(list, row, request); });
}
