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

// Texts that differ only after their first 29 bytes are ties; a difference
// in the 29th byte orders them.
TEST(CompareWordRows, OnlyTheFirstTwentyNineBytesCount) {
  const int32_t up = kSortedAscending;
  EXPECT_EQ(CompareWordRows(std::string(29, 'q') + "a", std::string(29, 'q') + "b", up), 0);
  EXPECT_EQ(CompareWordRows(std::string(28, 'q') + "a", std::string(28, 'q') + "b", up), -1);
  EXPECT_EQ(CompareWordRows(std::string(28, 'q') + "\xFD", std::string(28, 'q') + "\xE0", up), 1);
  // A lead byte as the 29th byte is left out with its character.
  EXPECT_EQ(CompareWordRows(std::string(28, 'q') + "\xE0\x40", std::string(28, 'q') + "\xFC\x40", up), 0);
  EXPECT_EQ(CompareWordRows(std::string(28, 'q') + "\x81\x40", std::string(28, 'q'), up), 0);
}

}  // namespace
