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
  for (const char* symbol : {"", "*", "a ", "Q", "kya", "A", "_N", "n:", "Qchy", "a\x01"}) EXPECT_EQ(PhonemeCodeOf(symbol), 0) << symbol;
}

// A baseform's symbols coded in one walk: codes only for the symbols that
// have one, an empty symbol for each space too many (or at either end), and
// any stretch that is no symbol (a start of one, one too long, a foreign
// byte) an unknown one. Every listed symbol alone, then in a row, is coded.
TEST(CodePhonemeSymbols, CodesKnownSymbolsAndNotesTheRest) {
  const struct {
    std::string baseform;
    std::string codes;
    bool empty, unknown;
  } cases[] = {
      {"ky a a:", "\x27\x15\x16", false, false},
      {"Qch o", "\x05\x2C", false, false},
      {"_n", "\x14", false, false},
      {"", "", true, false},
      {" ", "", true, false},
      {" a", "\x15", true, false},
      {"a ", "\x15", true, false},
      {"a  i", "\x15\x23", true, false},
      {"a * i", "\x15\x23", false, true},
      {"Q a", "\x15", false, true},       // the start of symbols, no symbol itself
      {"Qchy a", "\x15", false, true},    // one byte past a symbol
      {"kya", "", false, true},
      {"k\x01 a", "\x15", false, true},  // a byte no symbol holds, after a symbol's start
      {"a\tk", "", false, true},
      {"a k ", "\x15\x26", true, false},
  };
  for (const auto& c : cases) {
    uint8_t codes[256];
    const SymbolCodes found = CodePhonemeSymbols(c.baseform, codes);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(codes), found.count), c.codes) << c.baseform;
    EXPECT_EQ(found.emptySymbol, c.empty) << c.baseform;
    EXPECT_EQ(found.unknownSymbol, c.unknown) << c.baseform;
    const SymbolCodes counted = CodePhonemeSymbols(c.baseform, nullptr);
    EXPECT_EQ(counted.count, found.count) << c.baseform;
  }
  std::string all, allCodes;
  for (int i = 0; i < kPhonemeCodeRows; ++i) {
    uint8_t code = 0;
    const SymbolCodes alone = CodePhonemeSymbols(PhonemeCodeTable[i].symbol, &code);
    EXPECT_TRUE(alone.count == 1 && !alone.emptySymbol && !alone.unknownSymbol && code == PhonemeCodeTable[i].code)
        << PhonemeCodeTable[i].symbol;
    if (i > 0) all += ' ';
    all += PhonemeCodeTable[i].symbol;
    allCodes += static_cast<char>(PhonemeCodeTable[i].code);
  }
  std::vector<uint8_t> codes(all.size() / 2 + 1);
  const SymbolCodes found = CodePhonemeSymbols(all, codes.data());
  EXPECT_EQ(std::string(codes.begin(), codes.begin() + static_cast<std::ptrdiff_t>(found.count)), allCodes);
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
