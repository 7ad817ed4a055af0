#pragma once
// The order of the word list's sort: the first 29 bytes of the column's text,
// unsigned bytes, the column's own direction, and rows that compare equal keep
// the order they had.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Only the start of a text takes part in the order: the list control of old
// handed the comparison 30-byte buffers (29 bytes and the NUL).
inline constexpr size_t kSortTextLimit = 29;

inline constexpr int32_t kNeverSorted = 0;
inline constexpr int32_t kSortedAscending = 1;
inline constexpr int32_t kSortedDescending = 2;

// The part of `text` the order looks at: at most its first 29 bytes, never
// splitting a double-byte character.
std::string_view SortPrefix(std::string_view text);

// Plain byte order of two texts as unsigned bytes, a text before any longer
// text it begins: -1, 0 or 1.
int CompareSortTexts(std::string_view a, std::string_view b);

// The direction a header click gives a column sorted in `direction` (never
// sorted or descending: ascending; ascending: descending).
int32_t FlippedSortDirection(int32_t direction);

// One row as the sort sees it: its prefix (see SortPrefix), which points into
// the table's own storage, the prefix's first sixteen bytes as two numbers,
// most significant byte first (zero bytes after a shorter prefix, which holds
// no NUL), and the row's position before the sort.
struct SortItem {
  uint64_t head[2];
  const char* text;
  uint32_t row;
  uint8_t length;
};

// The item of a row whose column text is `text`.
SortItem MakeSortItem(std::string_view text, uint32_t row);

// Orders the items, given in row order, by CompareWordRows in `direction`;
// items that compare equal keep their relative order.
void SortItemsStably(std::vector<SortItem>& items, int32_t direction);
