#pragma once
// The in-memory backend of the word list, for lexiforge-cli and the tests.
// It keeps each row's texts at their own length, so a large list costs little
// more than its text.
//
// Selection and focus follow the list control's rules: a new row is neither
// selected nor focused; states travel with their rows through inserts,
// deletions and sorts; when the focused row is deleted, the focus passes to
// the row that takes its place (the new last row when it was the last), and
// nothing holds it once the list is empty.

#include "wordlist/word_list.h"

// An empty list, or nullptr when there is no memory for it. Row keys are
// unique across every list alive in the process, so CompareWordRows, which
// is given keys alone, finds a row in whichever list holds it.
WordList CreateMemoryWordList();
void DestroyMemoryWordList(WordList list);

// What a user's click does, for the tests and lexiforge-cli. Nothing happens
// for an index that holds no row.
void SelectWordRow(WordList list, int index, bool selected);
bool IsWordRowSelected(WordList list, int index);
// The row at `index` takes the focus from whichever row held it; -1 leaves
// no row holding it.
void FocusWordRow(WordList list, int index);

// The row key of the row at `index`, or -1.
intptr_t WordRowKey(WordList list, int index);
