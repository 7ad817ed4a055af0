// Bounded copies of Shift-JIS text never end inside a double-byte character.

#include "convert/sjis_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "tests/sjis_literal.h"
#include "tests/support/lead_byte_cases.h"

namespace {

// Every byte against the ranges as code page 932 defines them, written out
// here: lead bytes 0x81-0x9F and 0xE0-0xFC, trail bytes 0x40-0x7E and
// 0x80-0xFC, kanji rows from lead byte 0x88. A range narrowed or widened at
// either end shows as a byte on the wrong side.
TEST(SjisByteRules, EveryByteOnTheRightSideOfEachRange) {
  struct Range {
    int first, last;
  };
  const auto within = [](int b, std::initializer_list<Range> ranges) {
    for (const Range& r : ranges) {
      if (b >= r.first && b <= r.last) return true;
    }
    return false;
  };
  for (int b = 0; b <= 0xFF; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(IsSjisLeadByte(byte), within(b, {{0x81, 0x9F}, {0xE0, 0xFC}})) << "lead " << b;
    EXPECT_EQ(IsSjisTrailByte(byte), within(b, {{0x40, 0x7E}, {0x80, 0xFC}})) << "trail " << b;
    EXPECT_EQ(IsSjisKanjiLeadByte(byte), within(b, {{0x88, 0x9F}, {0xE0, 0xFC}})) << "kanji lead " << b;
    // A character of one byte: ASCII, half-width katakana; never 0x80, 0xA0, 0xFD-0xFF.
    const std::string alone(1, static_cast<char>(byte));
    EXPECT_EQ(SjisCharacterLength(alone), within(b, {{0x00, 0x7F}, {0xA1, 0xDF}}) ? 1u : 0u) << "alone " << b;
    // After a lead byte, a trail byte makes a pair; anything else makes none.
    const std::string pair = std::string("\x88") + static_cast<char>(byte);
    EXPECT_EQ(SjisCharacterLength(pair), within(b, {{0x40, 0x7E}, {0x80, 0xFC}}) ? 2u : 0u) << "pair " << b;
  }
  for (unsigned char b : kLeadBytesAtRangeEnds) EXPECT_TRUE(IsSjisLeadByte(b)) << int{b};
  for (unsigned char b : kBytesJustOutsideLeadRanges) EXPECT_FALSE(IsSjisLeadByte(b)) << int{b};
}

// The conversion keeps every character and refuses what it cannot map,
// never putting "?" in its place.
TEST(SjisConversion, RoundTripsAndRefusals) {
  std::string utf8, sjis;
  const std::string bytes = "\x95\x5C\x8E\xA6\xB6\xC5\x81\x5B?";  // 表示ｶﾅー? in code page 932
  ASSERT_TRUE(ConvertSjisToUtf8(bytes, utf8));
  EXPECT_EQ(utf8, "表示ｶﾅー?");
  ASSERT_TRUE(ConvertUtf8ToSjis(utf8, sjis));
  EXPECT_EQ(sjis, bytes);
  for (const char* bad : {"\x82", "\x82\x20", "\x85\x40x"}) EXPECT_FALSE(ConvertSjisToUtf8(bad, utf8)) << bad;
  for (const char* bad : {"é", "\xE6\x9D", "\xFF", "한"}) EXPECT_FALSE(ConvertUtf8ToSjis(bad, sjis)) << bad;
}

// What code page 932 maps each kind of character to, written out here: the
// ASCII bytes as they are (0x5C is the backslash), half-width katakana,
// the symbol rows where code page 932 differs from plain JIS (0x8160 the
// full-width tilde, 0x817C the full-width minus), the NEC and IBM rows, the
// user-defined area; bytes and pairs that are no character map to nothing.
// Each character converts alone, through the table and as part of a text,
// to the same UTF-8.
TEST(SjisConversion, EachKindOfCharacterThroughTheTable) {
  struct Case {
    std::string sjis;
    std::string utf8;  // empty: no mapping
  };
  const Case cases[] = {
      {std::string(1, '\0'), std::string(1, '\0')},
      {"\x5C", "\\"},
      {"\x7E", "~"},
      {"\x7F", "\x7F"},
      {"\xA1", "\uFF61"},
      {"\xDF", "\uFF9F"},
      {"\x81\x40", "\u3000"},
      {"\x81\x60", "\uFF5E"},
      {"\x81\x7C", "\uFF0D"},
      {"\x82\xA0", "\u3042"},
      {"\x87\x40", "\u2460"},
      {"\x88\x9F", "\u4E9C"},
      {"\xED\x40", "\u7E8A"},
      {"\xF0\x40", "\uE000"},
      {"\xFA\x40", "\u2170"},
      {"\xFC\x4B", "\u9ED1"},
      {"\x80", ""},
      {"\xA0", ""},
      {"\xFD", ""},
      {"\xFF", ""},
      {"\x85\x40", ""},
      {"\x82\x20", ""},
      {"\x82\x0A", ""},
      {"\x82", ""},
  };
  std::string utf8, text, textUtf8;
  for (const Case& c : cases) {
    const std::string_view shown = c.sjis;
    EXPECT_EQ(SjisToUtf8Table().Of(c.sjis), c.utf8) << testing::PrintToString(shown);
    EXPECT_EQ(ConvertSjisToUtf8(c.sjis, utf8), !c.utf8.empty()) << testing::PrintToString(shown);
    if (c.utf8.empty()) {
      // Between good characters the text as a whole fails (a lone lead
      // byte only at the end, where no byte can pair with it).
      const bool loneLead = c.sjis.size() == 1 && IsSjisLeadByte(static_cast<unsigned char>(c.sjis[0]));
      EXPECT_FALSE(ConvertSjisToUtf8("a" + c.sjis + (loneLead ? "" : "a"), utf8)) << testing::PrintToString(shown);
      continue;
    }
    EXPECT_EQ(utf8, c.utf8);
    text += c.sjis;
    textUtf8 += c.utf8;
  }
  ASSERT_TRUE(ConvertSjisToUtf8(text, utf8));
  EXPECT_EQ(utf8, textUtf8);
  // A lead byte and any byte that ends no pair are no character.
  for (int lead = 0; lead < 256; ++lead) {
    for (int other = 0; other < 256; ++other) {
      if (!IsSjisLeadByte(static_cast<unsigned char>(lead)) || IsSjisTrailByte(static_cast<unsigned char>(other))) {
        continue;
      }
      const std::string pair = {static_cast<char>(lead), static_cast<char>(other)};
      EXPECT_EQ(SjisToUtf8Table().Of(pair), "") << lead << " " << other;
    }
  }
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
