// Bounded copies of Shift-JIS text never end inside a double-byte character.

#include "convert/sjis_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/sjis_literal.h"
#include "tests/support/lead_byte_cases.h"

namespace {

TEST(IsSjisLeadByte, TwoRangesEndToEnd) {
  for (unsigned char b : kLeadBytesAtRangeEnds) EXPECT_TRUE(IsSjisLeadByte(b)) << int{b};
  for (unsigned char b : kBytesJustOutsideLeadRanges) EXPECT_FALSE(IsSjisLeadByte(b)) << int{b};
  for (unsigned char b : {0x00, 0x40, 0x5C, 0x7E, 0x7F, 0xFE, 0xFF}) EXPECT_FALSE(IsSjisLeadByte(b)) << int{b};
  for (int b = 0xA1; b <= 0xDF; ++b) EXPECT_FALSE(IsSjisLeadByte(static_cast<unsigned char>(b))) << "half-width " << b;
}

// A cut that falls after the first byte of a pair drops the pair only when
// that byte is a lead byte.
TEST(SjisPrefixLength, CutBetweenTheBytesOfAPairAtEachRangeEdge) {
  for (unsigned char lead : kLeadBytesAtRangeEnds) {
    const std::string pairs = PairsStartingWith(lead, 3);
    EXPECT_EQ(SjisPrefixLength(pairs, 5), 4u) << int{lead};
    EXPECT_EQ(SjisPrefixLength("a" + pairs, 6), 5u) << int{lead};
  }
  for (unsigned char single : kBytesJustOutsideLeadRanges) {
    const std::string pairs = PairsStartingWith(single, 3);
    EXPECT_EQ(SjisPrefixLength(pairs, 5), 5u) << int{single};
    EXPECT_EQ(SjisPrefixLength("a" + pairs, 6), 6u) << int{single};
  }
}

TEST(SjisPrefixLength, CutsAtTheLastWholeCharacter) {
  const std::string kana = Sjis("かきくけこ");  // 10 bytes
  EXPECT_EQ(SjisPrefixLength(kana, 10), 10u);
  EXPECT_EQ(SjisPrefixLength(kana, 9), 8u);
  EXPECT_EQ(SjisPrefixLength(kana, 1), 0u);
  EXPECT_EQ(SjisPrefixLength("a" + kana, 4), 3u);
  EXPECT_EQ(SjisPrefixLength("a" + kana, 5), 5u);
  // A trail byte in the ASCII range is never taken for a character of its own.
  const std::string table = Sjis("表表");  // 0x95 0x5C twice
  EXPECT_EQ(SjisPrefixLength(table, 3), 2u);
  // Half-width katakana are single bytes.
  EXPECT_EQ(SjisPrefixLength(Sjis("ﾌｧｲﾙ"), 3), 3u);
  // A lead byte at the very end of the text counts as one byte.
  EXPECT_EQ(SjisPrefixLength("ab\x82", 3), 3u);
}

TEST(CopySjisText, TerminatesWithinTheBuffer) {
  char small[6];
  EXPECT_EQ(CopySjisText(small, Sjis("かきく")), 4u);  // 5 bytes of room, 6 of text
  EXPECT_EQ(std::string(small), Sjis("かき"));
  char field[81];
  std::string longText(40, 'a');
  for (int i = 0; i < 30; ++i) longText += Sjis("あ");
  EXPECT_EQ(CopySjisText(field, "a" + longText, 80), 79u);
}

}  // namespace
