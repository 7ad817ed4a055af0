#pragma once
// Folding readings written in katakana (the analyser's output, many
// published lists) into the hiragana the baseform conversion takes; a row
// whose baseform is empty then gets the one made from its folded reading.
// The program's edit command and lexiforge-cli's --fold-katakana both fold
// through here.

#include <vector>

#include "wordlist/word_list.h"

struct ReadingFoldCount {
  int folded = 0;    // rows whose reading was folded
  int unstored = 0;  // rows whose folded reading could not be stored (no memory)
};

// The rows the fold changes, in order: those whose reading holds katakana
// (or kana marks) and is kana throughout; when more than one row is
// selected, only such rows among the selected.
std::vector<int> RowsWithKatakanaReadings(WordList list);

// Folds `rows` (as RowsWithKatakanaReadings gives them).
ReadingFoldCount FoldKatakanaReadingsOf(WordList list, const std::vector<int>& rows);

// Both in one.
ReadingFoldCount FoldKatakanaReadings(WordList list);
