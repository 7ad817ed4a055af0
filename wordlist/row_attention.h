#pragma once
// Rows that need the user's attention before the vocabulary is built: they
// would be written with a wrong or missing pronunciation, or twice, or the
// writer of the vocabulary would leave them out.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "wordlist/word_list.h"

enum class Attention : int {
  kUnconvertedBaseform,  // "*" in the baseform: a character the conversion could not cover
  kNoReading,            // a word without a reading
  kNoBaseform,           // a reading without a baseform
  kNotHiragana,          // a reading that is not hiragana ("ー" counts as hiragana)
  kDuplicate,            // the word and reading of an earlier row
  kLeftOut,              // the writer leaves the row out: a kind per writer's reason, kLeftOut + reason - 1
};
// The writer's own check of a row (a file format's, which the caller supplies:
// the table knows no format): 0 when the writer writes the row, otherwise the
// writer's reason for leaving it out, from 1 to kLeftOutReasons.
inline constexpr int kLeftOutReasons = 3;
using LeftOutCheck = int (*)(std::string_view word, std::string_view reading, std::string_view baseform);
inline constexpr int kAttentionKinds = static_cast<int>(Attention::kLeftOut) + kLeftOutReasons;
static_assert(kAttentionKinds <= 8, "a row's kinds are the bits of a byte");

inline constexpr uint8_t AttentionBit(Attention kind) { return static_cast<uint8_t>(1u << static_cast<int>(kind)); }
inline constexpr uint8_t LeftOutBit(int reason) {
  return static_cast<uint8_t>(AttentionBit(Attention::kLeftOut) << (reason - 1));
}

// What needs attention in each row: a bit per kind, the rows `leftOut` (when
// given) refuses among them. False, with `flags` empty, when there is no
// memory to look. One pass over the rows and a few over arrays of their
// number, with no allocation per row.
bool FindAttentionRows(WordList list, std::vector<uint8_t>& flags, LeftOutCheck leftOut = nullptr);

struct AttentionCounts {
  int rows = 0;                                // rows with any kind
  std::array<int, kAttentionKinds> kinds = {};  // rows with each kind
};
AttentionCounts CountAttention(const std::vector<uint8_t>& flags);

// The next (previous) row after (before) `from` that needs attention,
// wrapping once as a search does (wordlist/row_find.h); -1 when none does.
int NextAttentionRow(const std::vector<uint8_t>& flags, int from, bool forward);

// The rows that need attention in one table, looked for again only when the
// table has changed since the last look (by its revision), so that moving
// from one such row to the next costs no look at every row. What was found
// in the rows before the last change is kept too: undoing a change, and
// redoing it, gives back rows of a revision already looked at.
class AttentionIndex {
 public:
  // `leftOut` as for FindAttentionRows.
  explicit AttentionIndex(LeftOutCheck leftOut = nullptr) : leftOut_(leftOut) {}

  // Brings the index up to date with `list`. False, with no row flagged,
  // when there is no memory to look.
  bool Update(WordList list);

  const std::vector<uint8_t>& flags() const { return found_[0].flags; }
  const AttentionCounts& counts() const { return found_[0].counts; }

 private:
  struct Found {
    uint64_t revision = 0;
    bool current = false;
    std::vector<uint8_t> flags;
    AttentionCounts counts;
  };

  LeftOutCheck leftOut_;
  Found found_[2];  // the rows as they are, and as they were before
};
