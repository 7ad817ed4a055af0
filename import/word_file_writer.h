#pragma once
// Writing the word list in the two formats the system reads: text word lists
// and pool files. Every file written reads back to the same rows. A row a
// format cannot hold exactly is never written changed: the caller finds such
// rows first (to tell the user), and the writer leaves them out.

#include <string>

#include "import/replacement_file.h"
#include "wordlist/word_list.h"

enum class WordFileFormat { kTextWordList, kPoolFile };

enum class RowProblem {
  kNone,
  kEmptyWord,         // text: a line without a word gives no row
  kControlByte,       // text: a tab, CR, LF or Ctrl-Z inside a field
  kFieldTooLong,      // text: more than 80 bytes (the reader keeps 80)
  kPlaceholderText,   // text: a reading or baseform that is exactly "?"
  kEmptyBaseform,     // pool: a word without a pronunciation
  kUnknownSymbol,     // pool: "*" or another symbol that has no code
  kBadSpacing,        // pool: anything but single spaces between symbols
};

// Why the row cannot be written exactly in the format, or kNone.
RowProblem TextWordListRowProblem(const WordEntry& row);
RowProblem PoolFileRowProblem(const WordEntry& row);
RowProblem RowProblemFor(WordFileFormat format, const WordEntry& row);

// The rows of the list the format cannot hold: how many, and the first.
struct UnwritableRows {
  int count = 0;
  int firstIndex = -1;
  std::string firstWord;
  RowProblem firstProblem = RowProblem::kNone;
};
UnwritableRows FindUnwritableRows(WordList list, WordFileFormat format);

// Writes every row the format can hold exactly, in list order, to `path`,
// replacing the file there in one step (see ReplacementFile).
SaveResult SaveWordFile(WordList list, const char* path, WordFileFormat format);

// The bytes of one row in the format, appended to `out`; the row must have no
// problem in that format. The pool file's header comes from AppendFileStart.
void AppendFileStart(WordFileFormat format, std::string& out);
void AppendTextWordListRow(const WordEntry& row, std::string& out);
void AppendPoolFileRecord(const WordEntry& row, std::string& out);
