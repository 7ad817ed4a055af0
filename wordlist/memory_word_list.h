#pragma once
// The in-memory backend of the word list, for lexiforge-cli and the tests.

#include "wordlist/word_list.h"

WordList CreateMemoryWordList();
void DestroyMemoryWordList(WordList list);
