#include "wordlist/row_find.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "convert/sjis_text.h"
#include "tests/sjis_literal.h"
#include "tests/support/test_word_list.h"
#include "wordlist/edit_history.h"
#include "wordlist/row_attention.h"

namespace {

class RowsTest : public testing::Test {
 protected:
  ~RowsTest() override { DestroyWordTable(list); }
  void Append(const std::vector<TestRow>& rows) { AppendTestRows(list, rows); }
  WordList list = CreateWordTable();
};

// Bytes compared as they are, whole or in part; a match begins only where a
// character begins ("機" is 0x8B 0x40, its second byte "@"; "ア" is 0x83 0x41,
// its second byte "A").
TEST(FieldMatchesTest, WholeOrPartBeginningAtACharacter) {
  const std::string kanji = "\x8B\x40";
  const struct {
    std::string field, text;
    bool whole, matches;
  } cases[] = {
      {"abc", "abc", true, true},     {"abcd", "abc", true, false},   {"abcd", "bcd", false, true},
      {"abc", "ABC", false, false},   {"ab", "abc", false, false},    {"", "", true, true},
      {kanji, "@", false, false},     {"a" + kanji + "b", "@b", false, false},
      {"a" + kanji + "@", "@", false, true},
      {Sjis("とうきょう"), Sjis("きょ"), false, true},
      {Sjis("ア"), "A", false, false}, {Sjis("ア") + "A", "A", false, true},
  };
  for (const auto& c : cases) EXPECT_EQ(FieldMatches(c.field, c.text, c.whole), c.matches) << c.field << " " << c.text;
}

TEST_F(RowsTest, FindLooksAtTheRequestedColumn) {
  Append({{"x", "", "ky a"}, {"ky", "", ""}, {"a", "ky", ""}});
  EXPECT_EQ(FindWordRow(list, -1, true, {"ky", kFindAllColumns, false}), 0);
  EXPECT_EQ(FindWordRow(list, -1, true, {"ky", 0, false}), 1);
  EXPECT_EQ(FindWordRow(list, -1, true, {"ky", 1, true}), 2);
  EXPECT_EQ(FindWordRow(list, -1, true, {"ky", 2, true}), -1);
  EXPECT_EQ(FindWordRow(list, -1, true, {"ky a", 2, true}), 0);
  EXPECT_EQ(FindWordRow(list, -1, true, {"ky", 3, false}), -1);
}

// From the row after (before) the given one, around once, that row last.
TEST_F(RowsTest, FindWrapsOnceInBothDirections) {
  Append({{"a"}, {"b"}, {"a"}, {"c"}});
  const FindRequest a{"a", 0, true};
  EXPECT_EQ(FindWordRow(list, 0, true, a), 2);
  EXPECT_EQ(FindWordRow(list, 2, true, a), 0);
  EXPECT_EQ(FindWordRow(list, 3, true, a), 0);
  EXPECT_EQ(FindWordRow(list, 2, false, a), 0);
  EXPECT_EQ(FindWordRow(list, 0, false, a), 2);
  EXPECT_EQ(FindWordRow(list, -1, false, a), 2);
  const FindRequest b{"b", 0, true};
  EXPECT_EQ(FindWordRow(list, 1, true, b), 1);  // the only match is the row itself, found last
  EXPECT_EQ(FindWordRow(list, 1, false, b), 1);
  DestroyWordTable(list);
  list = CreateWordTable();
  EXPECT_EQ(FindWordRow(list, -1, true, a), -1);
}

TEST_F(RowsTest, EachKindOfAttention) {
  Append({
      {"ok", Sjis("きょう"), "ky o:"},        // 0 nothing
      {"star", Sjis("ヴ"), "*"},              // 1 "*", and a katakana reading
      {"noreading", "", ""},                  // 2
      {"nobase", Sjis("あ"), ""},             // 3
      {"kata", Sjis("カ"), "k a"},            // 4 not hiragana
      {"bar", Sjis("らーめん"), "r a: m e N"},  // 5 ー counts as hiragana
      {"ok", Sjis("きょう"), "k y o u"},      // 6 duplicate of 0
      {"ok", Sjis("きょう"), ""},             // 7 duplicate of 0, and no baseform
      {"ok", Sjis("きよう"), "k i y o u"},    // 8 another reading: no duplicate
      {"", "", ""},                           // 9 an empty row: nothing
      {"out", Sjis("あ"), "x"},                // 10 the writer's check leaves it out
  });
  // A writer's check of the caller's: reason 2 for a baseform "x", given the
  // row's own texts.
  const LeftOutCheck check = [](std::string_view word, std::string_view reading, std::string_view baseform) {
    return baseform == "x" && word == "out" && reading == Sjis("あ") ? 2 : 0;
  };
  std::vector<uint8_t> flags;
  ASSERT_TRUE(FindAttentionRows(list, flags, check));
  const auto bit = AttentionBit;
  EXPECT_EQ(flags, (std::vector<uint8_t>{
                       0,
                       static_cast<uint8_t>(bit(Attention::kUnconvertedBaseform) | bit(Attention::kNotHiragana)),
                       bit(Attention::kNoReading),
                       bit(Attention::kNoBaseform),
                       bit(Attention::kNotHiragana),
                       0,
                       bit(Attention::kDuplicate),
                       static_cast<uint8_t>(bit(Attention::kDuplicate) | bit(Attention::kNoBaseform)),
                       0,
                       0,
                       LeftOutBit(2),
                   }));
  const AttentionCounts counts = CountAttention(flags);
  EXPECT_EQ(counts.rows, 7);
  EXPECT_EQ(counts.kinds, (std::array<int, kAttentionKinds>{1, 1, 2, 2, 2, 0, 1, 0}));
  // Without a check no row is left out.
  std::vector<uint8_t> unchecked;
  ASSERT_TRUE(FindAttentionRows(list, unchecked));
  EXPECT_EQ(unchecked[10], 0);
}

// Duplicates over many rows, against the rule itself (an earlier row with
// the same word and reading): words and readings that differ in one byte,
// in length only, or by a word's bytes moving into the reading; and the
// index, which follows a change of the table.
TEST(AttentionIndexTest, DuplicatesOverManyRowsAndAfterAChange) {
  WordList list = CreateWordTable();
  std::vector<std::pair<std::string, std::string>> keys;
  for (int i = 0; i < 3000; ++i) {
    const int n = (i * 7919) % 1000;
    const std::string tail(static_cast<size_t>(n % 3), 'a');
    const bool moved = i % 5 == 0;  // the reading's bytes go to the end of the word
    char word[16];
    std::snprintf(word, sizeof word, "w%d%s", n, moved ? tail.c_str() : "");
    keys.emplace_back(word, moved ? std::string() : tail);
    const std::string_view texts[kWordColumns] = {keys.back().first, keys.back().second, "x"};
    ASSERT_TRUE(AppendWordRowTexts(list, texts));
  }
  AttentionIndex index;
  ASSERT_TRUE(index.Update(list));
  std::set<std::pair<std::string, std::string>> seen;
  int duplicates = 0;
  for (size_t row = 0; row < keys.size(); ++row) {
    const bool duplicate = !seen.insert(keys[row]).second;
    duplicates += duplicate;
    EXPECT_EQ((index.flags()[row] & AttentionBit(Attention::kDuplicate)) != 0, duplicate) << row;
  }
  EXPECT_EQ(index.counts().kinds[static_cast<size_t>(Attention::kDuplicate)], duplicates);

  const uint8_t first = index.flags()[0];
  WordEntry entry{};
  std::memcpy(entry.word, "w0", 2);
  SetWordRow(list, 1, entry);  // now the same as row 0 (word "w0", no reading)
  ASSERT_TRUE(index.Update(list));
  EXPECT_EQ(index.flags()[0], first);
  EXPECT_TRUE(index.flags()[1] & AttentionBit(Attention::kDuplicate));

  // Rows that come back with an undo come back with what was found in
  // them, and any other rows are looked at anew.
  EditHistory history(list);
  const std::vector<uint8_t> changed = index.flags();
  history.RecordRowsChanging({1, 2});
  SetWordRow(list, 2, entry);
  ASSERT_TRUE(index.Update(list));
  EXPECT_TRUE(index.flags()[2] & AttentionBit(Attention::kDuplicate));
  for (int step = 0; step < 3; ++step) {
    ASSERT_TRUE(step % 2 == 0 ? history.Undo() : history.Redo());
    ASSERT_TRUE(index.Update(list));
    std::vector<uint8_t> fresh;
    ASSERT_TRUE(FindAttentionRows(list, fresh));
    EXPECT_EQ(index.flags(), fresh) << step;
    if (step % 2 == 0) {
      EXPECT_EQ(index.flags(), changed);
    }
  }
  std::vector<uint32_t> order;
  SortWordList(list, 0, order);
  ASSERT_TRUE(index.Update(list));
  std::vector<uint8_t> sorted;
  ASSERT_TRUE(FindAttentionRows(list, sorted));
  EXPECT_EQ(index.flags(), sorted);
  DestroyWordTable(list);
}

TEST(NextAttentionRowTest, WrapsLikeFind) {
  const std::vector<uint8_t> flags = {0, 1, 0, 4, 0};
  EXPECT_EQ(NextAttentionRow(flags, -1, true), 1);
  EXPECT_EQ(NextAttentionRow(flags, 1, true), 3);
  EXPECT_EQ(NextAttentionRow(flags, 3, true), 1);
  EXPECT_EQ(NextAttentionRow(flags, 1, false), 3);
  EXPECT_EQ(NextAttentionRow(flags, -1, false), 3);
  EXPECT_EQ(NextAttentionRow({0, 0}, 0, true), -1);
}

}  // namespace
