#pragma once
// Finding rows by their texts. Texts are compared as the code page 932 bytes
// the table holds, character by character: a match begins only where a
// character begins, never on the second byte of a double-byte character.

#include <string>
#include <string_view>

#include "wordlist/word_list.h"

inline constexpr int kFindAllColumns = -1;

struct FindRequest {
  std::string text;
  int column = kFindAllColumns;  // or 0 word, 1 reading, 2 baseform
  bool whole = false;            // the whole field, or any part of it
};

// Whether `field` is `text` (whole) or holds it beginning at a character.
bool FieldMatches(std::string_view field, std::string_view text, bool whole);

// Whether a text of the row at `index` (of the request's column, or any
// column) matches.
bool RowMatches(WordList list, int index, const FindRequest& request);

// Walks once around `rows` rows from the one after `from` (before it when
// not `forward`), wrapping at the end, `from` itself last; from -1 the walk
// begins at the first row (the last, backward). Returns the first row for
// which `match` holds, or -1.
template <typename Match>
int FindRowAround(int rows, int from, bool forward, Match&& match) {
  if (rows <= 0) return -1;
  if (from < -1 || from >= rows) from = -1;
  int row = from < 0 ? (forward ? 0 : rows - 1) : from;
  for (int step = 0; step < rows; ++step) {
    if (from >= 0 || step > 0) row = forward ? (row + 1 == rows ? 0 : row + 1) : (row == 0 ? rows - 1 : row - 1);
    if (match(row)) return row;
  }
  return -1;
}

// The next (previous) row that RowMatches, by FindRowAround, or -1.
int FindWordRow(WordList list, int from, bool forward, const FindRequest& request);
