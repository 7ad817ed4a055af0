// Pool phoneme codes: the table's order, the expansion of coded baseforms,
// and the reverse lookup used for writing.

#include "convert/phoneme_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/tab_separated_rows.h"

namespace {

// The codes and symbols as written out in the data file, row by row: codes
// 4 to 58 in the byte order of their symbols, and each code's expansion and
// each symbol's reverse lookup agree with them.
TEST(PhonemeCodeTable, HoldsTheListedCodesInOrder) {
  const std::vector<TabSeparatedRow> listed = ReadTabSeparatedRows(LEXIFORGE_CONVERT_TEST_DATA "/phoneme_codes.txt");
  ASSERT_EQ(listed.size(), 55u);
  for (size_t i = 0; i < listed.size(); ++i) {
    const int code = std::stoi(listed[i].first);
    const std::string& symbol = listed[i].second;
    SCOPED_TRACE(testing::Message() << code << " " << symbol);
    EXPECT_EQ(code, 4 + static_cast<int>(i));
    if (i > 0) {
      EXPECT_LT(listed[i - 1].second, symbol);
    }
    EXPECT_EQ(PhonemeCodeTable[i].code, code);
    EXPECT_EQ(std::string(PhonemeCodeTable[i].symbol), symbol);
    char baseform[256] = {};
    const char coded[] = {static_cast<char>(code), '\0'};
    ExpandPhonemeCodes(coded, baseform);
    EXPECT_EQ(std::string(baseform), symbol);
    EXPECT_EQ(PhonemeCodeOf(symbol), code);
  }
  EXPECT_EQ(PhonemeCodeTable[55].code, 0) << "the end row";
}

std::string Expand(const std::string& codes) {
  char baseform[256] = {};
  EXPECT_EQ(ExpandPhonemeCodes(codes.c_str(), baseform), 1);
  return baseform;
}

TEST(PhonemeCodeOf, UnknownSymbolsHaveNoCode) {
  for (const char* symbol : {"", "*", "a ", "Q", "kya", "A", "_N", "n:"}) EXPECT_EQ(PhonemeCodeOf(symbol), 0) << symbol;
}

// Symbols separated by single spaces; bytes that are no code leave no trace.
TEST(ExpandPhonemeCodes, SymbolsSeparatedBySingleSpaces) {
  const std::pair<const char*, const char*> cases[] = {
      {"\x27\x15\x16", "ky a a:"}, {"\x0D\x15", "Qp a"}, {"\x14", "_n"},
      {"\x20\x3A", "gy z"},  // 0x20 and 0x3A are codes like any other
      {"\x26\x01\x15", "k a"},     {"\x03\x26\x3B\x15\xFF", "k a"}, {"", ""}, {"\x01\x02\x03\x3B\x80\xFF", ""},
  };
  for (const auto& [codes, symbols] : cases) EXPECT_EQ(Expand(codes), symbols) << symbols;
}

// The field holds 255 bytes; a longer expansion ends after the last whole
// symbol that fits.
TEST(ExpandPhonemeCodes, OverlongExpansionEndsAtAWholeSymbol) {
  EXPECT_EQ(Expand(std::string(63, '\x05')).size(), 63u * 4 - 1);  // 63 "Qch" always fit
  const std::string cut = Expand(std::string(100, '\x05'));
  EXPECT_EQ(cut.size(), 64u * 4 - 1);
  EXPECT_EQ(cut.substr(cut.size() - 4), " Qch");
  const std::string singles = Expand(std::string(200, '\x15'));
  EXPECT_EQ(singles.size(), 255u);
  EXPECT_EQ(singles.back(), 'a');
}

}  // namespace
