#pragma once
// Text word lists: one row per line, up to three fields separated by runs of
// tabs (word, reading, baseform); "?" stands for an empty reading or baseform.

#include <cstddef>

#include "wordlist/word_list.h"

inline constexpr size_t kTextFieldLimit = 80;  // bytes kept of each field read from a file

// Splits one line (NUL-terminated, changed in place: a final LF and the tabs
// that end fields become NULs) into the three zero-filled field buffers, each
// field cut after the last whole character within 80 bytes. Returns the
// number of fields found (1 to 3), or 0 when the line gives no row; after 0
// the buffers are not to be used.
int SplitWordLine(char* line, char (&word)[kWordFieldSize], char (&reading)[kWordFieldSize],
                  char (&baseform)[kWordFieldSize]);

// Reads the text word list at `path` into the list: behind its rows when
// `append` is set, otherwise in place of them (the old rows go only once the
// file has opened and its first read has succeeded). The file is read as
// Windows reads text files on every platform (CR LF is a line end, Ctrl-Z
// ends the file), each line whole however long. Returns false only when the
// file cannot be opened or its first read fails; a read error further on
// ends the file as its end would, keeping the rows read so far.
bool LoadTextWordList(WordList list, const char* path, bool append);
