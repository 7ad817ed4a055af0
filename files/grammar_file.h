#pragma once
// Grammar files (.fsg): the words of their word block, appended as rows with
// the word alone.

#include "wordlist/word_list.h"

// Returns false when the file cannot be opened, its values cannot be read or
// its word block cannot be held in memory (the list is then untouched), or
// a row finds no memory (the rows before it stay),
// otherwise true, whatever the file holds. Damaged files give the rows of the
// words before the damage.
bool LoadGrammarWords(WordList list, const char* path);
