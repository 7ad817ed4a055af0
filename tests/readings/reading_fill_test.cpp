#include "readings/reading_fill.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "convert/sjis_text.h"
#include "files/word_file_writer.h"
#include "readings/program_folder.h"
#include "tests/support/test_word_list.h"

namespace {

std::string S(std::string_view utf8) {
  std::string sjis;
  EXPECT_TRUE(ConvertUtf8ToSjis(utf8, sjis));
  return sjis;
}

std::string Baseform(const std::string& reading) {
  char baseform[kBaseformSize] = {};
  EXPECT_EQ(ConvertReadingToBaseform(reading.c_str(), baseform), 1);
  return baseform;
}

class ReadingFillTest : public testing::Test {
 protected:
  void SetUp() override {
    ReadingDictionaries dictionaries;
    ASSERT_TRUE(FindReadingDictionaries(ProgramFolder(), dictionaries));
    DictionaryFault fault;
    proposer_ = ReadingProposer::Load(dictionaries, fault);
    ASSERT_NE(proposer_, nullptr) << fault.file;
    list_.Append({S("東京都"), "", ""});
    list_.Append({S("音声"), S("おとごえ"), ""});  // a reading the user gave
    list_.Append({"", "", "a"});
    list_.Append({S("彁"), "", ""});
    list_.Append({S("音声認識"), "", "o N"});  // a baseform someone wrote
  }

  std::unique_ptr<ReadingProposer> proposer_;
  TestWordList list_;
};

TEST_F(ReadingFillTest, RowsWithAWordAndNoReadingAreFilled) {
  const ReadingFillCount count = FillMissingReadings(list_, *proposer_);
  EXPECT_EQ(count.filled, 2);
  EXPECT_EQ(count.unproposed, 1);
  EXPECT_EQ(count.unstored, 0);
  const std::string tokyo = S("とうきょうと");
  EXPECT_EQ(list_.Rows(), (std::vector<TestRow>{{S("東京都"), tokyo, Baseform(tokyo)},
                                                 {S("音声"), S("おとごえ"), ""},
                                                 {"", "", "a"},
                                                 {S("彁"), "", ""},
                                                 {S("音声認識"), S("おんせいにんしき"), "o N"}}));
}

// A proposal whose baseform is longer than a text word list's field (89
// bytes here) would make a row that could be written one that cannot: the
// row keeps no reading and is counted; a pool file has no such limit.
TEST_F(ReadingFillTest, AFillNeverMakesARowUnwritable) {
  for (const WordFileFormat format : {WordFileFormat::kTextWordList, WordFileFormat::kPoolFile}) {
    TestWordList list;
    list.Append({S("独立行政法人情報処理推進機構"), "", ""});
    list.Append({S("東京都"), "", ""});
    const int unwritable = FindUnwritableRows(list, format).count;
    const ReadingFillCount count = FillMissingReadings(list, *proposer_, format);
    EXPECT_LE(FindUnwritableRows(list, format).count, unwritable);
    const bool text = format == WordFileFormat::kTextWordList;
    EXPECT_EQ(count.unfit, text ? 1 : 0);
    EXPECT_EQ(count.unproposed, count.unfit);
    EXPECT_EQ(count.filled, text ? 1 : 2);
    EXPECT_EQ(WordRowText(list, 0, 1).empty(), text);
  }
}

TEST_F(ReadingFillTest, ManySelectedRowsLimitTheFillOneDoesNot) {
  SelectWordRow(list_, 3, true);
  SelectWordRow(list_, 4, true);
  ReadingFillCount count = FillMissingReadings(list_, *proposer_);
  EXPECT_EQ(count.filled, 1);
  EXPECT_EQ(count.unproposed, 1);
  EXPECT_EQ(WordRowText(list_, 0, 1), "");

  SelectWordRow(list_, 3, false);
  count = FillMissingReadings(list_, *proposer_);
  EXPECT_EQ(count.filled, 1);  // 東京都; 音声認識 has its reading now
  EXPECT_EQ(WordRowText(list_, 0, 1), S("とうきょうと"));
}

}  // namespace
