#pragma once
// Grammar files (.fsg): the words of their word block, appended as rows with
// the word alone.

#include "wordlist/word_list.h"

// Returns false when the file cannot be opened, otherwise true, whatever the
// file holds.
bool LoadGrammarWords(WordList list, const char* path);
