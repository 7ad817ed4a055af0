// Julius word dictionaries: each row a line of its word (UTF-8), the word in
// brackets and the phonemes of its reading; each row Julius cannot take is
// found, for its reason, and left out.

#include "files/julius_dictionary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/word_file_writer.h"
#include "tests/sjis_literal.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"

namespace {

TEST(JuliusDictionary, WritesEachRowItCanAsALineAndFindsTheOthers) {
  const struct {
    TestRow row;
    const char* line;  // UTF-8; nullptr for a row left out
    RowProblem problem;
  } cases[] = {
      // The reading gives the phonemes; the baseform plays no part.
      {{Sjis("単語"), Sjis("たんご"), "t a _n g o"}, "単語\t[単語]\tt a N g o\n", RowProblem::kNone},
      {{Sjis("表"), Sjis("ひょう"), "hy o o:"}, "表\t[表]\thy o u\n", RowProblem::kNone},
      {{Sjis("ｶﾀｶﾅ"), Sjis("かたかな"), ""}, "ｶﾀｶﾅ\t[ｶﾀｶﾅ]\tk a t a k a n a\n", RowProblem::kNone},
      {{"x", Sjis("らーめん"), "*"}, "x\t[x]\tr a: m e N\n", RowProblem::kNone},
      {{Sjis("　語"), Sjis("ご"), ""}, "　語\t[　語]\tg o\n", RowProblem::kNone},  // an ideographic space
      {{"#]?", Sjis("あ"), ""}, "#]?\t[#]?]\ta\n", RowProblem::kNone},
      {{"", Sjis("か"), "k a"}, nullptr, RowProblem::kEmptyWord},
      {{"a\tb", Sjis("か"), ""}, nullptr, RowProblem::kControlByte},
      {{"a\nb", Sjis("か"), ""}, nullptr, RowProblem::kControlByte},
      {{"a\rb", Sjis("か"), ""}, nullptr, RowProblem::kControlByte},
      {{"a b", Sjis("か"), ""}, nullptr, RowProblem::kWordNotInJulius},
      {{"\x85\x40", Sjis("か"), ""}, nullptr, RowProblem::kWordNotInJulius},  // a pair no character has
      {{"a\x82", Sjis("か"), ""}, nullptr, RowProblem::kWordNotInJulius},     // a lone lead byte
      {{"x", "", "k a"}, nullptr, RowProblem::kEmptyReading},
      {{"x", Sjis("カ"), ""}, nullptr, RowProblem::kUncoveredReading},
      {{"x", Sjis("ーか"), ""}, nullptr, RowProblem::kUncoveredReading},
      {{"x", Sjis("てゃ"), ""}, nullptr, RowProblem::kUncoveredReading},
  };
  TempFolder folder;
  TestWordList list;
  std::string expected;
  std::vector<int> unwritable;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.row));
    WordEntry entry{};
    c.row.word.copy(entry.word, sizeof entry.word - 1);
    c.row.reading.copy(entry.reading, sizeof entry.reading - 1);
    EXPECT_EQ(JuliusDictionaryRowProblem(entry), c.problem);
    if (!c.line) unwritable.push_back(RowCount(list));
    if (c.line) expected += c.line;
    list.Append(c.row);
  }
  const UnwritableRows found = FindUnwritableRows(list, WordFileFormat::kJuliusDictionary, SIZE_MAX);
  ASSERT_EQ(found.count, static_cast<int>(unwritable.size()));
  for (size_t i = 0; i < unwritable.size(); ++i) EXPECT_EQ(found.first[i].index, unwritable[i]);

  const std::string path = folder.PathOf("words.dict");
  ASSERT_EQ(SaveWordFile(list, path.c_str(), WordFileFormat::kJuliusDictionary), SaveResult::kSaved);
  EXPECT_EQ(FileBytes(path), expected);
}

}  // namespace
