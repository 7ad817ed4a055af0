// The test word list on the in-memory backend.

#include "tests/support/test_word_list.h"
#include "wordlist/memory_word_list.h"

WordList CreateTestWordList() { return CreateMemoryWordList(); }

void DestroyTestWordList(WordList list) { DestroyMemoryWordList(list); }
