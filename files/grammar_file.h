#pragma once
// Grammar files (.fsg): the words of their word block, appended as rows with
// the word alone.

#include "wordlist/word_list.h"

// Returns false, with the list untouched and the load problem set, when the
// file cannot be opened, a read fails, or its words cannot be held in
// memory; otherwise true, whatever the file holds. Damaged files give the
// rows of the words before the damage.
bool LoadGrammarWords(WordList list, const char* path);
