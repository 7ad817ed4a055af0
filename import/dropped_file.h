#pragma once
// Files dropped on the window (and files named to lexiforge-cli) are read by
// the last three bytes of their path, compared case-sensitively: "fsg" is a
// grammar file, "ppl" a pool file, anything else a text word list appended.

#include "wordlist/word_list.h"

enum class DroppedFileKind { kTextWordList, kGrammarFile, kPoolFile };

DroppedFileKind KindOfDroppedFile(const char* path);

// Reads the file into the list behind its rows; returns false when it could
// not be read (cannot be opened, a pool file whose header differs, or a
// grammar block or pool body too large to hold in memory).
bool LoadDroppedFile(WordList list, const char* path);
