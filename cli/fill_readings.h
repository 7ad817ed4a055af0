#pragma once
// --fill-readings and --fold-katakana of show, save and pool.

#include "wordlist/word_list.h"

// Gives the rows of `list` that have a word and no reading the proposed
// reading and a baseform, saying on stderr how many were filled and how many
// words got no proposal. Returns 0, 1 when a proposal could not be stored,
// or 2 (having said where it looked) when no dictionary can be loaded.
int FillReadingsForCommand(const char* command, WordList list);

// Folds the katakana readings of `list` into hiragana and gives the rows
// without a baseform the one made from it (readings/reading_fold.h), saying
// on stderr how many rows were folded. False when a folded reading could not
// be stored.
bool FoldKatakanaForCommand(const char* command, WordList list);
