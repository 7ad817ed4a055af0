#pragma once
// Writing the word list in the formats the system writes: text word lists,
// pool files and Julius word dictionaries. Every text word list and pool file
// written reads back to the same rows. A row a format cannot hold exactly is
// never written changed: the caller finds such rows first (to tell the user),
// and the writer leaves them out.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_formats.h"
#include "files/replacement_file.h"
#include "wordlist/word_list.h"

// Why the row cannot be written exactly in the format, or kNone. A format
// that is only read holds no row.
RowProblem RowProblemFor(WordFileFormat format, const RowTexts& row);

// A row the format cannot hold: its index, its word and why.
struct UnwritableRow {
  int index;
  std::string word;
  RowProblem problem;
};

// How many of them a question names before it only counts the rest.
inline constexpr size_t kNamedUnwritableRows = 5;

// The rows of the list the format cannot hold: how many, and the first of
// them (up to `named`), in list order.
struct UnwritableRows {
  int count = 0;
  std::vector<UnwritableRow> first;
};
UnwritableRows FindUnwritableRows(WordList list, WordFileFormat format, size_t named = kNamedUnwritableRows);

// Calls `take` with each row the format cannot hold (its index, its word as
// the table holds it, and why), in list order, keeping none of them; returns
// how many there were.
int ForEachUnwritableRow(WordList list, WordFileFormat format,
                         const std::function<void(int index, std::string_view word, RowProblem problem)>& take);

// Writes every row the format can hold exactly, in list order, to `path`,
// replacing the file there in one step (see ReplacementFile). When it fails,
// `reason` (if given) receives the system's words for why, or is emptied.
// With `utf8` a text word list is written in UTF-8 instead of code page 932:
// its rows must then be valid code page 932 (RowsNotInUtf8), or the write
// fails. `progress`, when given, is told the rows written so far and the row
// count every few thousand rows; when it returns false, the write stops, the
// file there is left as it was, and the result is kStopped.
SaveResult SaveWordFile(WordList list, const char* path, WordFileFormat format, std::string* reason = nullptr,
                        bool utf8 = false, const std::function<bool(int done, int rows)>& progress = {});

// The rows whose texts are not valid code page 932 and so have no UTF-8
// form, in list order.
std::vector<int> RowsNotInUtf8(WordList list);
