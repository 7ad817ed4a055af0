#include "wordlist/row_attention.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <utility>
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

// A row and the 64-bit hash of its word and reading. Two different pairs of
// texts share a hash with odds of about one in 10^19 for each two rows,
// far below those of a fault in the machine's memory: rows of equal hashes
// are taken for duplicates without their texts being compared, which would
// cost two misses in the cache for every duplicate row.
struct KeyedRow {
  uint64_t hash;
  uint32_t row;
};

uint64_t KeyHash(std::string_view word, std::string_view reading) {
  const std::hash<std::string_view> text;
  const uint64_t a = text(word);
  const uint64_t b = text(reading);
  return (a ^ (b + 0x9E3779B97F4A7C15ull + (a << 6) + (a >> 2))) * 0xFF51AFD7ED558CCDull ^ (word.size() << 8 | reading.size());
}

// Orders the rows by the top 16 bits of their hashes, stably: two passes of
// a counting sort, a byte each, which write to only 256 places at a time.
void SortByTopBits(std::vector<KeyedRow>& keyed, const size_t (&counts)[2][256]) {
  std::vector<KeyedRow> other(keyed.size());
  for (int pass = 0; pass < 2; ++pass) {
    const int shift = 48 + 8 * pass;
    size_t next[256];
    size_t sum = 0;
    for (int digit = 0; digit < 256; ++digit) {
      next[digit] = sum;
      sum += counts[pass][digit];
    }
    for (const KeyedRow& item : keyed) other[next[(item.hash >> shift) & 0xFF]++] = item;
    keyed.swap(other);
  }
}

}  // namespace

// The row flags and the hashes are made in one pass over the rows; sorting
// by hash then brings the rows of each word and reading together, earliest
// row first. Nothing goes through a hash table, whose every insert would be
// a miss in the cache.
bool FindAttentionRows(WordList list, std::vector<uint8_t>& flags, LeftOutCheck leftOut) {
  flags.clear();
  const int rows = RowCount(list);
  try {
    flags.resize(static_cast<size_t>(rows));
    std::vector<KeyedRow> keyed(static_cast<size_t>(rows));
    size_t counts[2][256] = {};
    for (int row = 0; row < rows; ++row) {
      const std::string_view word = WordRowText(list, row, 0), reading = WordRowText(list, row, 1);
      const std::string_view baseform = WordRowText(list, row, 2);
      uint8_t& flag = flags[static_cast<size_t>(row)];
      flag = RowFlags(word, reading, baseform);
      if (leftOut) {
        if (const int reason = leftOut(word, reading, baseform)) flag |= LeftOutBit(reason);
      }
      const uint64_t hash = KeyHash(word, reading);
      keyed[static_cast<size_t>(row)] = {hash, static_cast<uint32_t>(row)};
      ++counts[0][(hash >> 48) & 0xFF];
      ++counts[1][hash >> 56];
    }
    SortByTopBits(keyed, counts);
    const auto before = [](const KeyedRow& a, const KeyedRow& b) { return a.hash < b.hash || (a.hash == b.hash && a.row < b.row); };
    for (auto group = keyed.begin(); group != keyed.end();) {
      auto groupEnd = group + 1;
      while (groupEnd != keyed.end() && (groupEnd->hash >> 48) == (group->hash >> 48)) ++groupEnd;
      std::sort(group, groupEnd, before);
      for (auto item = group + 1; item < groupEnd; ++item) {
        if (item->hash == (item - 1)->hash) flags[item->row] |= AttentionBit(Attention::kDuplicate);
      }
      group = groupEnd;
    }
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

// Revisions name rows across tables, so the revision alone says whether
// what was found still holds.
bool AttentionIndex::Update(WordList list) {
  const uint64_t revision = WordTableRevision(list);
  if (found_[0].current && found_[0].revision == revision) return true;
  std::swap(found_[0], found_[1]);
  if (found_[0].current && found_[0].revision == revision) return true;
  Found& found = found_[0];
  found.revision = revision;
  found.current = FindAttentionRows(list, found.flags, leftOut_);
  found.counts = CountAttention(found.flags);
  return found.current;
}
