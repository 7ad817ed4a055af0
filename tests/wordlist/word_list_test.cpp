#include "wordlist/word_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "convert/sjis_text.h"
#include "tests/sjis_literal.h"
#include "tests/support/lead_byte_cases.h"
#include "tests/support/sort_prefix_oracle.h"
#include "tests/support/test_word_list.h"
#include "wordlist/sort_order.h"

namespace {

class WordTableTest : public testing::Test {
 protected:
  ~WordTableTest() override { DestroyWordTable(list); }

  void Append(std::initializer_list<std::string> words) {
    for (const std::string& word : words) InsertWordRow(list, RowCount(list), TestEntry(word));
  }

  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int i = 0; i < RowCount(list); ++i) texts.push_back(WholeText(i, column));
    return texts;
  }

  std::string WholeText(int index, int column) const {
    WordEntry entry;
    GetWholeWordRow(list, index, entry);
    return column == 0 ? entry.word : column == 1 ? entry.reading : entry.baseform;
  }

  std::vector<std::string> Words() const { return Column(0); }

  WordList list = CreateWordTable();
};

using Texts = std::vector<std::string>;

TEST_F(WordTableTest, InsertPositions) {
  Append({"b"});
  InsertWordRow(list, 1, TestEntry("d"));
  InsertWordRow(list, 0, TestEntry("a"));
  InsertWordRow(list, 2, TestEntry("c"));
  InsertWordRow(list, 99, TestEntry("e"));  // past the end appends, as in the list control
  InsertWordRow(list, -1, TestEntry("x"));  // a negative index inserts nothing
  EXPECT_EQ(Words(), (Texts{"a", "b", "c", "d", "e"}));
}

TEST_F(WordTableTest, GetAndSetRows) {
  std::string kana;
  for (int i = 0; i < 100; ++i) kana += Sjis("か");  // 200 bytes
  InsertWordRow(list, 0, TestEntry("w", "r", kana));
  EXPECT_EQ(WholeText(0, 2), kana) << "the row keeps the whole text";

  WordEntry entry = TestEntry("junk", "junk", "junk");
  GetWordRow(list, 0, entry);
  EXPECT_STREQ(entry.word, "w");
  EXPECT_STREQ(entry.reading, "r");
  EXPECT_EQ(entry.baseform, kana.substr(0, 126)) << "127 bytes would split a character";

  SetWordRow(list, 0, TestEntry("W", "", "B"));
  SetWordRow(list, 1, TestEntry("none"));
  EXPECT_EQ(Column(1), Texts{""});
  EXPECT_EQ(Column(2), Texts{"B"});

  GetWordRow(list, 1, entry);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&entry), sizeof entry), std::string(sizeof entry, '\0'));
}

// A row keeps at most 255 bytes of a field that fills all its 256 bytes
// without a NUL, and GetWordRow hands out at most 127; neither ends on the
// lead byte of a character it would split.
TEST_F(WordTableTest, CutsAt255And127BytesAtEachLeadByteRangeEdge) {
  auto entryOf = [](const std::string& bytes) {
    WordEntry entry{};
    std::memcpy(entry.word, bytes.data(), std::min(bytes.size(), sizeof entry.word));
    std::memcpy(entry.reading, bytes.data(), std::min(bytes.size(), sizeof entry.reading));
    return entry;
  };
  auto check = [&](const std::string& field, size_t kept, size_t handedOut) {
    ClearWordList(list);
    InsertWordRow(list, 0, entryOf(field));
    EXPECT_EQ(std::string(WordRowText(list, 0, 0)), field.substr(0, kept));
    WordEntry entry;
    GetWordRow(list, 0, entry);
    EXPECT_EQ(std::string(entry.reading), field.substr(0, handedOut));
  };
  for (unsigned char lead : kLeadBytesAtRangeEnds) {
    SCOPED_TRACE(int{lead});
    const std::string pairs = PairsStartingWith(lead, 127);
    check(PairsStartingWith(lead, 128), 254, 126);
    check("a" + pairs + "b", 255, 127);
  }
  for (unsigned char single : kBytesJustOutsideLeadRanges) {
    SCOPED_TRACE(int{single});
    check(PairsStartingWith(single, 128), 255, 127);
  }
  check(std::string(256, '\xB1'), 255, 127);  // half-width katakana: single bytes
}

TEST_F(WordTableTest, ManyEditsKeepEveryRowIntact) {
  // Enough replaced and deleted text to make the list repack its storage.
  for (int i = 0; i < 3000; ++i) InsertWordRow(list, i, TestEntry(std::to_string(i), std::string(200, 'r')));
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 3000; ++i) SetWordRow(list, i, TestEntry(std::to_string(i), std::string(200 - round, 'r')));
  }
  for (int i = 0; i < 1000; ++i) {
    SelectWordRow(list, 1000, true);
    DeleteSelectedWordRow(list);
  }
  ASSERT_EQ(RowCount(list), 2000);
  for (int i = 0; i < 2000; ++i) {
    ASSERT_EQ(WholeText(i, 0), std::to_string(i < 1000 ? i : i + 1000));
    ASSERT_EQ(WholeText(i, 1), std::string(198, 'r'));
  }
}

// Tables of megabytes of text, whose texts run across the table's inner
// block boundaries: every text comes back whole, after appending one such
// table to another and after edits that make the table repack its texts.
TEST_F(WordTableTest, MegabytesOfTextsStayWholeThroughAppendsAndRepacking) {
  const auto text = [](int row, int column) {
    const size_t length = static_cast<size_t>((row * 37 + column * 101) % 256);
    std::string t = std::to_string(row) + "/" + std::to_string(column) + ":";
    t.resize(std::max(length, t.size()), static_cast<char>('a' + (row + column) % 26));
    return t.substr(0, 255);
  };
  const auto fill = [&](WordList table, int first, int count) {
    for (int row = first; row < first + count; ++row) {
      const std::string texts[kWordColumns] = {text(row, 0), text(row, 1), text(row, 2)};
      const std::string_view views[kWordColumns] = {texts[0], texts[1], texts[2]};
      ASSERT_TRUE(AppendWordRowTexts(table, views));
    }
  };
  const auto check = [&](int rows, int edited) {
    ASSERT_EQ(RowCount(list), rows);
    for (int row = 0; row < rows; ++row) {
      std::string_view texts[kWordColumns];
      WordRowTexts(list, row, texts);
      for (int column = 0; column < kWordColumns; ++column) {
        const std::string expected = row < edited ? text(row + 7, column) : text(row, column);
        ASSERT_EQ(texts[column], expected) << row << " " << column;
        ASSERT_EQ(WordRowText(list, row, column), expected) << row << " " << column;
      }
    }
  };
  fill(list, 0, 30000);
  WordList other = CreateWordTable();
  fill(other, 30000, 20000);
  ASSERT_TRUE(AppendWordRows(list, other));
  EXPECT_EQ(RowCount(other), 0);
  DestroyWordTable(other);
  check(50000, 0);
  for (int round = 0; round < 2; ++round) {
    for (int row = 0; row < 50000; ++row) {
      const std::string texts[kWordColumns] = {text(row + 7, 0), text(row + 7, 1), text(row + 7, 2)};
      SetWordRow(list, row, TestEntry(texts[0], texts[1], texts[2]));
    }
  }
  check(50000, 50000);
}

TEST_F(WordTableTest, SelectionAndFocus) {
  Append({"a", "b", "c", "d"});
  EXPECT_EQ(FirstSelectedRow(list), -1);
  EXPECT_EQ(FocusedRow(list), -1);
  DeleteSelectedWordRow(list);
  EXPECT_EQ(RowCount(list), 4) << "nothing selected: nothing deleted";

  for (int i : {1, 2, 3}) SelectWordRow(list, i, true);
  FocusWordRow(list, 1);
  DeleteSelectedWordRow(list);
  EXPECT_EQ(Words(), (Texts{"a", "c", "d"})) << "only the first selected row goes";
  EXPECT_EQ(FocusedRow(list), 1) << "the focus passes to the row that took its place";
  EXPECT_EQ(FirstSelectedRow(list), 1);

  InsertWordRow(list, 0, TestEntry("new"));
  EXPECT_EQ(FocusedRow(list), 2) << "states travel with their rows";
  EXPECT_FALSE(IsWordRowSelected(list, 0));

  for (int i = 0; i < 4; ++i) SelectWordRow(list, i, false);
  ReselectFocusedRow(list);
  EXPECT_EQ(FirstSelectedRow(list), 2);
  EXPECT_FALSE(IsWordRowSelected(list, 3));

  FocusWordRow(list, 3);
  SelectWordRow(list, 2, false);
  SelectWordRow(list, 3, true);
  DeleteSelectedWordRow(list);
  EXPECT_EQ(FocusedRow(list), 2) << "the last row deleted: the new last row";

  FocusWordRow(list, -1);
  ReselectFocusedRow(list);
  for (int i = 0; i < RowCount(list); ++i) EXPECT_TRUE(IsWordRowSelected(list, i)) << i;
  EXPECT_EQ(FocusedRow(list), -1);

  ClearWordList(list);
  ReselectFocusedRow(list);
  EXPECT_EQ(FirstSelectedRow(list), -1);
}

using SortTest = WordTableTest;

TEST_F(SortTest, DirectionsPerColumnKeptAcrossClearing) {
  SortWordList(list, 0);
  EXPECT_EQ(ColumnSortDirection(list, 0), kSortedAscending) << "an empty list still flips";
  InsertWordRow(list, 0, TestEntry("b", "x"));
  InsertWordRow(list, 1, TestEntry("a", "y"));
  SortWordList(list, 1);
  EXPECT_EQ(Words(), (Texts{"b", "a"}));
  SortWordList(list, 0);
  EXPECT_EQ(Words(), (Texts{"b", "a"})) << "second click on column 0: descending";
  SortWordList(list, 0);
  EXPECT_EQ(Words(), (Texts{"a", "b"}));

  ClearWordList(list);
  Append({"a", "b"});
  SortWordList(list, 0);
  EXPECT_EQ(Words(), (Texts{"b", "a"})) << "clearing keeps the directions";
  EXPECT_EQ(ColumnSortDirection(list, 1), kSortedAscending);
  EXPECT_EQ(ColumnSortDirection(list, 2), kNeverSorted);
  // The directions are the table's: another table's rows swapped in find
  // them as they were.
  const WordList other = CreateWordTable();
  SwapWordRows(list, other);
  EXPECT_EQ(ColumnSortDirection(list, 1), kSortedAscending);
  EXPECT_EQ(ColumnSortDirection(other, 1), kNeverSorted);
  SwapWordRows(list, other);
  DestroyWordTable(other);

  SortWordList(list, 3);
  SortWordList(list, -1);
  EXPECT_EQ(Words(), (Texts{"b", "a"})) << "no such column";
}

TEST_F(SortTest, TiesKeepTheirOrderIncludingBeyondTwentyNineBytes) {
  // Enough rows that an unstable sort would show; the baseform holds each
  // row's first position. Texts that agree in 29 bytes are ties.
  const std::string same(29, 's');
  Texts evens, odds;
  for (int i = 0; i < 40; ++i) {
    InsertWordRow(list, i, TestEntry(i % 2 ? "b" : same + std::to_string(i), "", std::to_string(i)));
    (i % 2 ? odds : evens).push_back(std::to_string(i));
  }
  SelectWordRow(list, 2, true);
  FocusWordRow(list, 2);
  SortWordList(list, 0);
  Texts expected = odds;
  expected.insert(expected.end(), evens.begin(), evens.end());
  EXPECT_EQ(Column(2), expected);
  EXPECT_EQ(FirstSelectedRow(list), 21) << "states travel with their rows";
  EXPECT_EQ(FocusedRow(list), 21);
  SortWordList(list, 0);
  expected = evens;
  expected.insert(expected.end(), odds.begin(), odds.end());
  EXPECT_EQ(Column(2), expected) << "descending keeps ties in their order too";
}

// Random texts that share starts of 7, 8, 15, 16 and 28 bytes, with tails of a few
// distinct bytes and characters of every class (upper and lower case, half-width
// katakana, kana, kanji), against an order computed here: a stable
// sort on the first 29 bytes cut at a whole character, compared as unsigned
// bytes.
TEST_F(SortTest, AgreesWithAStableByteOrderOfTheFirst29Bytes) {
  const std::string stems[] = {"",
                               "aaaaaaa",
                               "aaaaaaaa",
                               "aaaaaaa\x81",
                               std::string(15, 'a'),
                               std::string(16, 'a'),
                               std::string(15, 'a') + "\x81",
                               std::string(28, 'a'),
                               std::string(27, 'a') + "\xE0"};
  const char* pieces[] = {"A",    "a",    "b",        "\x7F",     "\x80",    "\xA1",
                          "\xDF", "\x81\x40", "\x82\xA0", "\x9F\xFC", "\xE0\x40", "\xFC\xFC"};
  std::mt19937 random(7);
  std::vector<std::pair<std::string, std::string>> rows;  // word, position
  for (int i = 0; i < 4000; ++i) {
    std::string text = stems[random() % std::size(stems)];
    for (size_t tail = random() % 4; tail > 0; --tail) text += pieces[random() % std::size(pieces)];
    rows.push_back({text, std::to_string(i)});
    InsertWordRow(list, i, TestEntry(text, rows.back().second));
  }
  for (bool ascending : {true, false}) {
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
      const std::string pa = OracleSortPrefix(a.first), pb = OracleSortPrefix(b.first);
      // std::string compares its chars as unsigned bytes
      return ascending ? pa < pb : pb < pa;
    });
    SortWordList(list, 0);
    Texts expected;
    for (const auto& row : rows) expected.push_back(row.second);
    ASSERT_EQ(Column(1), expected) << (ascending ? "ascending" : "descending");
  }
}

}  // namespace
