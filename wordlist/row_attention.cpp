#include "wordlist/row_attention.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <string_view>

#include "convert/kana_phoneme_table.h"
#include "wordlist/row_find.h"

namespace {

// As the conversion accepts readings: whole pairs of "ぁ" to "ん" or "ー".
bool IsHiragana(std::string_view reading) {
  if (reading.size() % 2 != 0) return false;
  for (size_t i = 0; i < reading.size(); i += 2) {
    if (KanaUnit(static_cast<unsigned char>(reading[i]), static_cast<unsigned char>(reading[i + 1])) == 0) {
      return false;
    }
  }
  return true;
}

// No trail byte is below 0x40, so any "*" byte is the character itself.
bool HasStar(std::string_view baseform) { return baseform.find('*') != std::string_view::npos; }

uint8_t RowFlags(std::string_view word, std::string_view reading, std::string_view baseform) {
  uint8_t flags = 0;
  if (HasStar(baseform)) flags |= AttentionBit(Attention::kUnconvertedBaseform);
  if (!word.empty() && reading.empty()) flags |= AttentionBit(Attention::kNoReading);
  if (!reading.empty() && baseform.empty()) flags |= AttentionBit(Attention::kNoBaseform);
  if (!reading.empty() && !IsHiragana(reading)) flags |= AttentionBit(Attention::kNotHiragana);
  return flags;
}

}  // namespace

namespace {

// Rows are grouped by the top bits of their key's hash; a group is small
// enough to be ordered in the cache.
constexpr int kGroupBits = 16;

struct KeyedRow {
  uint64_t hash;
  uint32_t row;
};

uint64_t KeyHash(std::string_view word, std::string_view reading) {
  const std::hash<std::string_view> text;
  const uint64_t a = text(word);
  return (a ^ (text(reading) + 0x9E3779B97F4A7C15ull + (a << 6) + (a >> 2))) * 0xFF51AFD7ED558CCDull;
}

// Marks each row whose word and reading an earlier row has: the rows are
// grouped by their keys' hashes (a counting sort on the top bits, then each
// small group in order), so that equal keys lie side by side, earliest row
// first.
void FlagDuplicates(WordList list, std::vector<uint8_t>& flags) {
  const size_t rows = flags.size();
  std::vector<uint64_t> hashes(rows);
  std::vector<uint32_t> start((size_t{1} << kGroupBits) + 1);
  for (size_t row = 0; row < rows; ++row) {
    const int index = static_cast<int>(row);
    hashes[row] = KeyHash(WordRowText(list, index, 0), WordRowText(list, index, 1));
    ++start[(hashes[row] >> (64 - kGroupBits)) + 1];
  }
  for (size_t group = 1; group < start.size(); ++group) start[group] += start[group - 1];
  std::vector<KeyedRow> keyed(rows);
  {
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    for (size_t row = 0; row < rows; ++row) {
      keyed[next[hashes[row] >> (64 - kGroupBits)]++] = {hashes[row], static_cast<uint32_t>(row)};
    }
  }
  hashes = {};
  const auto same = [list](uint32_t a, uint32_t b) {
    const int x = static_cast<int>(a), y = static_cast<int>(b);
    return WordRowText(list, x, 0) == WordRowText(list, y, 0) && WordRowText(list, x, 1) == WordRowText(list, y, 1);
  };
  for (size_t group = 0; group + 1 < start.size(); ++group) {
    const auto begin = keyed.begin() + start[group], end = keyed.begin() + start[group + 1];
    // Rows went in in order, so a stable order by hash keeps each key's rows in order.
    std::stable_sort(begin, end, [](const KeyedRow& a, const KeyedRow& b) { return a.hash < b.hash; });
    for (auto run = begin; run != end;) {
      auto runEnd = run + 1;
      while (runEnd != end && runEnd->hash == run->hash) ++runEnd;
      for (auto item = run + 1; item != runEnd; ++item) {
        // Nearly always the run is one key; two keys of one hash are compared row by row.
        bool duplicate = same(run->row, item->row);
        for (auto earlier = run + 1; !duplicate && earlier != item; ++earlier) duplicate = same(earlier->row, item->row);
        if (duplicate) flags[item->row] |= AttentionBit(Attention::kDuplicate);
      }
      run = runEnd;
    }
  }
}

}  // namespace

bool FindAttentionRows(WordList list, std::vector<uint8_t>& flags) {
  flags.clear();
  const int rows = RowCount(list);
  try {
    flags.resize(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
      flags[static_cast<size_t>(row)] = RowFlags(WordRowText(list, row, 0), WordRowText(list, row, 1), WordRowText(list, row, 2));
    }
    FlagDuplicates(list, flags);
  } catch (const std::bad_alloc&) {
    flags.clear();
    flags.shrink_to_fit();
    return false;
  }
  return true;
}

// Counted by the value of the flags first: a byte has few values.
AttentionCounts CountAttention(const std::vector<uint8_t>& flags) {
  std::array<int, 256> values = {};
  for (const uint8_t flag : flags) ++values[flag];
  AttentionCounts counts;
  for (int value = 1; value < 256; ++value) {
    if (values[static_cast<size_t>(value)] == 0) continue;
    counts.rows += values[static_cast<size_t>(value)];
    for (int kind = 0; kind < kAttentionKinds; ++kind) {
      if (value & AttentionBit(static_cast<Attention>(kind))) counts.kinds[static_cast<size_t>(kind)] += values[static_cast<size_t>(value)];
    }
  }
  return counts;
}

int NextAttentionRow(const std::vector<uint8_t>& flags, int from, bool forward) {
  return FindRowAround(static_cast<int>(flags.size()), from, forward,
                       [&](int row) { return flags[static_cast<size_t>(row)] != 0; });
}

bool AttentionIndex::Update(WordList list) {
  if (current_ && list == list_ && WordTableRevision(list) == revision_) return true;
  list_ = list;
  revision_ = WordTableRevision(list);
  current_ = FindAttentionRows(list, flags_);
  counts_ = CountAttention(flags_);
  return current_;
}
