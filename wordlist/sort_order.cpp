#include "wordlist/sort_order.h"

#include <algorithm>
#include <cstring>

#include "convert/sjis_text.h"
#include "wordlist/word_list.h"

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

int CompareWordRows(std::string_view text1, std::string_view text2, int32_t direction) {
  const int order = CompareSortTexts(SortPrefix(text1), SortPrefix(text2));
  return direction == kSortedAscending ? order : -order;
}

int32_t FlippedSortDirection(int32_t direction) {
  return direction == kSortedAscending ? kSortedDescending : kSortedAscending;
}

namespace {

constexpr size_t kHeadBytes = sizeof(SortItem::head);

}  // namespace

SortItem MakeSortItem(std::string_view text, uint32_t row) {
  const std::string_view prefix = SortPrefix(text);
  SortItem item{{0, 0}, prefix.data(), row, static_cast<uint8_t>(prefix.size())};
  for (size_t i = 0; i < kHeadBytes; ++i) {
    uint64_t& head = item.head[i / 8];
    head = head << 8 | (i < prefix.size() ? static_cast<unsigned char>(prefix[i]) : 0u);
  }
  return item;
}

// The heads order two prefixes as their first sixteen bytes do; only
// prefixes that agree in those are compared by CompareWordRows. A row's text
// is then reached only for such ties, which keeps a sort of a million rows
// from wandering through all their texts.
void SortItemsStably(std::vector<SortItem>& items, int32_t direction) {
  const bool ascending = direction == kSortedAscending;
  std::stable_sort(items.begin(), items.end(), [direction, ascending](const SortItem& a, const SortItem& b) {
    for (int i = 0; i < 2; ++i) {
      if (a.head[i] != b.head[i]) return ascending ? a.head[i] < b.head[i] : a.head[i] > b.head[i];
    }
    if (a.length <= kHeadBytes && b.length <= kHeadBytes) return false;  // equal heads, no NULs: the same text
    return CompareWordRows({a.text, a.length}, {b.text, b.length}, direction) < 0;
  });
}
