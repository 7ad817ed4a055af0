#pragma once
// Filling in the readings a list lacks: each row with a word and no reading
// gets the proposer's reading and, when it has no baseform yet, the baseform
// made from that reading.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "files/file_formats.h"
#include "readings/reading_proposer.h"
#include "wordlist/word_list.h"

struct ReadingFillCount {
  int filled = 0;      // rows that got a reading
  int unproposed = 0;  // rows with a word and no reading left without a proposal (`unfit` among them)
  int unstored = 0;    // rows whose proposal could not be stored (no memory)
  int unfit = 0;       // of `unproposed`: the proposal or its baseform would not fit the format
  bool failed = false;  // the proposer failed (ReadingProposer::Failed): the fill stopped there
};

// Whether a row holding the proposal `reading` and the baseform made from
// it can be written in `format`: the fill takes no other proposal.
bool ProposalFits(WordFileFormat format, const std::string& reading);

// The rows the fill looks at, in order: those with a word and no reading;
// when more than one row is selected, only such rows among the selected.
std::vector<int> RowsWithoutReadings(WordList list);

// Told how many of the rows have been looked at so far, every few hundred
// rows; returns false to stop.
using FillProgress = std::function<bool(size_t done)>;

// The columns a fill changes: the reading and the baseform.
inline constexpr unsigned kFilledColumns = ColumnBit(1) | ColumnBit(2);

// The proposals for `rows` (as RowsWithoutReadings gives them) for writing
// in `format`, leaving the list as it is: each row that gets a reading is
// appended to `changed`, and its new reading and baseform as a row of
// `texts` (without its word), so that row i of `texts` holds the new texts
// of row changed[i] (for ExchangeWordRowTexts of kFilledColumns). A fill never makes a row unwritable: a proposal
// whose reading or baseform the format cannot hold is not taken. Returns
// false when `progress` stopped it; `changed` and `texts` then hold what
// was proposed so far.
bool ProposeReadings(WordList list, const std::vector<int>& rows, ReadingProposer& proposer, WordFileFormat format,
                     WordList texts, std::vector<uint32_t>& changed, ReadingFillCount& count,
                     const FillProgress& progress = {});

// Fills the rows that need it, in one change of the list.
ReadingFillCount FillMissingReadings(WordList list, ReadingProposer& proposer,
                                     WordFileFormat format = WordFileFormat::kTextWordList);
