#pragma once
// The one proposer the program shares between its entry dialog and its
// commands, loaded the first time it is asked for from where the
// dictionaries are found beside the program or on the system.

#include <string>
#include <vector>

#include "readings/reading_proposer.h"

// The proposer, or nullptr when no dictionary was found or it could not be
// loaded; the first answer stands for the rest of the process.
ReadingProposer* SharedReadingProposer();

// Why SharedReadingProposer() gave nullptr: the places looked at when none
// held a dictionary (`looked`), or the file that could not be loaded and
// what is wrong with it (`fault`).
struct SharedProposerFailure {
  std::vector<std::string> looked;
  DictionaryFault fault;
};
const SharedProposerFailure& SharedReadingProposerFailure();
