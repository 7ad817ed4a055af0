#include "wordlist/sort_order.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/sjis_literal.h"
#include "tests/support/lead_byte_cases.h"
#include "wordlist/word_list.h"

namespace {

TEST(SortPrefix, TwentyNineBytesAtAWholeCharacter) {
  const std::string kana15 = Sjis("あいうえおかきくけこさしすせそ");
  EXPECT_EQ(SortPrefix(kana15), kana15.substr(0, 28));
  const std::string a = "a";
  EXPECT_EQ(SortPrefix(a + kana15), a + kana15.substr(0, 28));
  EXPECT_EQ(SortPrefix(std::string(40, 'x')), std::string(29, 'x'));
}

TEST(SortPrefix, TwentyNineBytesAtEachLeadByteRangeEdge) {
  for (unsigned char lead : kLeadBytesAtRangeEnds) {
    SCOPED_TRACE(int{lead});
    const std::string fourteen = PairsStartingWith(lead, 14);
    EXPECT_EQ(SortPrefix(PairsStartingWith(lead, 15)), fourteen);
    EXPECT_EQ(SortPrefix("a" + fourteen + "b"), "a" + fourteen);
  }
  for (unsigned char single : kBytesJustOutsideLeadRanges) {
    SCOPED_TRACE(int{single});
    EXPECT_EQ(SortPrefix(PairsStartingWith(single, 15)), PairsStartingWith(single, 15).substr(0, 29));
  }
  EXPECT_EQ(SortPrefix(std::string(30, '\xDF')), std::string(29, '\xDF'));
}

// Texts that differ only after their first 29 bytes are ties (a lead byte
// as the 29th byte is left out with its character); a difference in the
// 29th byte orders them, as unsigned bytes. A column never sorted counts as
// descending, and a click flips a direction to ascending first.
TEST(CompareWordRows, OnlyTheFirstTwentyNineBytesCountInTheColumnsDirection) {
  const std::string q28(28, 'q'), q29(29, 'q');
  const struct {
    std::string a, b;
    int32_t direction;
    int expected;
  } cases[] = {
      {q29 + "a", q29 + "b", kSortedAscending, 0},
      {q28 + "a", q28 + "b", kSortedAscending, -1},
      {q28 + "\xFD", q28 + "\xE0", kSortedAscending, 1},
      {q28 + "\xE0\x40", q28 + "\xFC\x40", kSortedAscending, 0},
      {q28 + "\x81\x40", q28, kSortedAscending, 0},
      {q29, "z", kSortedAscending, -1},
      {"z", "", kSortedAscending, 1},
      {q29, "z", kSortedDescending, 1},
      {q29, "z", kNeverSorted, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(CompareWordRows(c.a, c.b, c.direction), c.expected) << c.a << " " << c.b;
  EXPECT_EQ(FlippedSortDirection(kNeverSorted), kSortedAscending);
  EXPECT_EQ(FlippedSortDirection(kSortedAscending), kSortedDescending);
  EXPECT_EQ(FlippedSortDirection(kSortedDescending), kSortedAscending);
}

}  // namespace
