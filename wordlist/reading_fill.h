#pragma once
// Filling in the readings a list lacks: each row with a word and no reading
// gets the proposer's reading and, when it has no baseform yet, the baseform
// made from that reading.

#include "readings/reading_proposer.h"
#include "wordlist/word_list.h"

struct ReadingFillCount {
  int filled = 0;      // rows that got a reading
  int unproposed = 0;  // rows with a word and no reading for which there was no proposal
  int unstored = 0;    // rows whose proposal could not be stored (no memory)
};

// Fills the rows that need it: when more than one row is selected, only the
// selected ones; otherwise every row.
ReadingFillCount FillMissingReadings(WordList list, ReadingProposer& proposer);
