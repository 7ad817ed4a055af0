#include "wordlist/sort_order.h"

#include <algorithm>
#include <cstring>

#include "convert/sjis_text.h"
#include "wordlist/word_list.h"

int32_t ColumnSortDirection[kWordColumns] = {kNeverSorted, kNeverSorted, kNeverSorted};

std::string_view SortPrefix(std::string_view text) {
  return text.substr(0, SjisPrefixLength(text, kSortTextLimit));
}

int CompareSortTexts(std::string_view a, std::string_view b) {
  // memcmp compares as unsigned char, which is the order wanted; the shorter
  // text is the lesser when it begins the longer, as its NUL would be.
  const size_t common = std::min(a.size(), b.size());
  const int order = common > 0 ? std::memcmp(a.data(), b.data(), common) : 0;
  if (order != 0) return order < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

namespace {

bool IsColumn(int column) { return column >= 0 && column < kWordColumns; }

}  // namespace

int CompareWordRows(std::string_view text1, std::string_view text2, int column) {
  if (!IsColumn(column)) return 0;
  const int order = CompareSortTexts(SortPrefix(text1), SortPrefix(text2));
  return ColumnSortDirection[column] == kSortedAscending ? order : -order;
}

bool FlipColumnSortDirection(int column) {
  if (!IsColumn(column)) return false;
  ColumnSortDirection[column] =
      ColumnSortDirection[column] == kSortedAscending ? kSortedDescending : kSortedAscending;
  return true;
}

// The items carry their prefixes already cut, so CompareWordRows's own cut
// finds nothing more to do.
void SortItemsStably(std::vector<SortItem>& items, int column) {
  if (!IsColumn(column)) return;
  std::stable_sort(items.begin(), items.end(), [column](const SortItem& a, const SortItem& b) {
    return CompareWordRows(a.prefix, b.prefix, column) < 0;
  });
}
