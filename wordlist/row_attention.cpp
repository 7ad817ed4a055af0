#include "wordlist/row_attention.h"

#include <cstring>
#include <functional>
#include <new>
#include <string_view>
#include <unordered_set>

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

bool FindAttentionRows(WordList list, std::vector<uint8_t>& flags, LeftOutCheck leftOut) {
  flags.clear();
  const int rows = RowCount(list);
  const auto word = [list](int row) { return WordRowText(list, row, 0); };
  const auto reading = [list](int row) { return WordRowText(list, row, 1); };
  const auto hash = [&](int row) {
    const std::hash<std::string_view> text;
    return text(word(row)) * 31 + text(reading(row));
  };
  const auto same = [&](int a, int b) { return word(a) == word(b) && reading(a) == reading(b); };
  try {
    flags.resize(static_cast<size_t>(rows));
    std::unordered_set<int, decltype(hash), decltype(same)> seen(static_cast<size_t>(rows), hash, same);
    for (int row = 0; row < rows; ++row) {
      uint8_t& flag = flags[static_cast<size_t>(row)];
      flag = RowFlags(word(row), reading(row), WordRowText(list, row, 2));
      if (leftOut) {
        if (const int reason = leftOut(word(row), reading(row), WordRowText(list, row, 2))) flag |= LeftOutBit(reason);
      }
      if (!seen.insert(row).second) flag |= AttentionBit(Attention::kDuplicate);
    }
  } catch (const std::bad_alloc&) {
    flags.clear();
    flags.shrink_to_fit();
    return false;
  }
  return true;
}

AttentionCounts CountAttention(const std::vector<uint8_t>& flags) {
  AttentionCounts counts;
  for (const uint8_t flag : flags) {
    if (flag == 0) continue;
    ++counts.rows;
    for (int kind = 0; kind < kAttentionKinds; ++kind) {
      if (flag & AttentionBit(static_cast<Attention>(kind))) ++counts.kinds[static_cast<size_t>(kind)];
    }
  }
  return counts;
}

int NextAttentionRow(const std::vector<uint8_t>& flags, int from, bool forward) {
  return FindRowAround(static_cast<int>(flags.size()), from, forward,
                       [&](int row) { return flags[static_cast<size_t>(row)] != 0; });
}
