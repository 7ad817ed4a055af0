#pragma once
// --fill-readings and --fold-katakana of show, save and pool.

#include "files/file_formats.h"
#include "wordlist/word_list.h"

// Gives the rows of `list` that have a word and no reading the proposed
// reading and a baseform, where `format` can hold them, saying on stderr how
// many were filled, how many words got no proposal and how many proposals
// did not fit. Returns 0, 1 when a proposal could not be stored, or 2
// (having said where it looked or which file is at fault) when no
// dictionary can be loaded or the proposer failed.
int FillReadingsForCommand(const char* command, WordList list, WordFileFormat format);

// Folds the katakana readings of `list` into hiragana and gives the rows
// without a baseform the one made from it (readings/reading_fold.h), saying
// on stderr how many rows were folded. False when a folded reading could not
// be stored.
bool FoldKatakanaForCommand(const char* command, WordList list);
