#pragma once
// Text word lists: one row per line, up to three fields separated by runs of
// tabs (word, reading, baseform); "?" stands for an empty reading or baseform.
// Read as Windows reads text files on every platform (CR LF is a line end,
// Ctrl-Z ends the file), written as WORD<TAB>READING<TAB>BASEFORM and CR LF.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_formats.h"
#include "files/input_file.h"
#include "files/text_file_lines.h"
#include "wordlist/word_list.h"

inline constexpr size_t kTextFieldLimit = 80;  // bytes kept of each field read from a file

// Splits one line, up to its first NUL, into its fields (views into the
// line), each cut after the last whole character within 80 bytes. Returns the
// number of fields found (1 to 3), or 0 when the line gives no row; after 0
// the fields are not to be used.
int SplitWordFields(std::string_view line, std::string_view (&fields)[3]);

// The same for a NUL-terminated line, whose final LF is no part of it, into
// the three zero-filled field buffers. The line is left as it is.
int SplitWordLine(const char* line, char (&word)[kWordFieldSize], char (&reading)[kWordFieldSize],
                  char (&baseform)[kWordFieldSize]);

// The encoding text word lists are read in from now on: kAuto (the start)
// tells each file's own (DetectTextEncoding); lexiforge-cli's
// --input-encoding forces one.
void SetTextWordListEncoding(TextEncoding encoding);

// What the last text word list read found: whether it was read as UTF-8,
// and the lines (counted from 1) whose row holds "〓" for a character that
// code page 932 cannot hold. Such a row is given no reading or baseform, so
// that it needs the user's attention.
struct TextWordListRead {
  bool utf8 = false;
  std::vector<long> unheldLines;
};
const TextWordListRead& LastTextWordListRead();

// Reads the text word list at `path` into the list: behind its rows when
// `append` is set, otherwise in place of them, once the whole file has been
// read (files/fresh_table.h). Fails, with the list as it was, when the file
// cannot be opened or cannot be read to its end (a read error, no memory for
// its rows, `progress` asked to stop).
LoadResult LoadTextWordList(WordList list, const char* path, bool append, const LoadProgress& progress = {});

// Why the row cannot be written exactly as a line of a text word list, or
// kNone.
RowProblem TextWordListRowProblem(const RowTexts& row);

// The line of a row that has no problem, appended to `out`; otherwise
// nothing, and the problem.
RowProblem AppendTextWordListRow(const RowTexts& row, std::string& out);
