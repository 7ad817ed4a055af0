#pragma once
// Grammar files (.fsg): the words of their word block, appended as rows with
// the word alone.

#include "files/input_file.h"
#include "wordlist/word_list.h"

// Fails, with the list untouched, when the file cannot be opened, a read
// fails, its words cannot be held in memory or `progress` asked to stop;
// otherwise it is read, whatever the file holds. Damaged files give the rows
// of the words before the damage.
LoadResult LoadGrammarWords(WordList list, const char* path, const LoadProgress& progress = {});
