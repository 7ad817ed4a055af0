#include "readings/reading_fill.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "convert/sjis_text.h"
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
    std::string error;
    proposer_ = ReadingProposer::Load(dictionaries, error);
    ASSERT_NE(proposer_, nullptr) << error;
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
