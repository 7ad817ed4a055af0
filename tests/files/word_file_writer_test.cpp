// Writing word lists and pool files: every row a format can hold comes back
// byte for byte when the file is read again; every row it cannot hold is
// found and left out; a failed write leaves the old file as it was.

#include "files/word_file_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "convert/kana_phoneme_table.h"
#include "convert/reading_conversion.h"
#include "files/pool_file.h"
#include "files/text_word_list.h"
#include "tests/sjis_literal.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"
#include "wordlist/row_attention.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace {

std::vector<TestRow> ReadBack(WordFileFormat format, const std::string& path) {
  TestWordList list;
  if (format == WordFileFormat::kPoolFile) {
    EXPECT_TRUE(LoadPoolFile(list, path.c_str()));
  } else {
    EXPECT_TRUE(LoadTextWordList(list, path.c_str(), false));
  }
  return list.Rows();
}

// Rows every format holds exactly: real words with generated baseforms,
// and the border cases of both formats.
std::vector<TestRow> RowsBothFormatsHold() {
  std::vector<TestRow> rows;
  for (const char* reading : {"きゃー", "らーめん", "がっこう", "しんかんせん", "ちゅうりっぷ"}) {
    char baseform[kBaseformSize] = {};
    ConvertReadingToBaseform(Sjis(reading).c_str(), baseform);
    rows.push_back({Sjis("単語") + Sjis(reading), Sjis(reading), baseform});
  }
  rows.push_back({Sjis("表"), Sjis("ひょう"), "hy o o:"});  // a trail byte 0x5C
  rows.push_back({"?", "", "k a"});                        // a word "?" is a word
  rows.push_back({"  spaced  ", Sjis("か"), "k a"});
  rows.push_back({std::string(80, 'w'), "", "a"});
  rows.push_back({Sjis("ｶﾀｶﾅ"), Sjis("カタカナ"), "k a t a k a n a"});
  return rows;
}

class WordFileWriterTest : public testing::TestWithParam<WordFileFormat> {
 protected:
  std::string Save(const std::vector<TestRow>& rows, SaveResult expected = SaveResult::kSaved) {
    TestWordList list;
    for (const TestRow& row : rows) list.Append(row);
    const std::string path = folder.PathOf(GetParam() == WordFileFormat::kPoolFile ? "out.ppl" : "out.txt");
    EXPECT_EQ(SaveWordFile(list, path.c_str(), GetParam()), expected);
    return path;
  }

  TempFolder folder;
};

// Written over a longer file, which is replaced whole.
TEST_P(WordFileWriterTest, RowsComeBackByteForByte) {
  const std::string path = folder.Write(GetParam() == WordFileFormat::kPoolFile ? "out.ppl" : "out.txt",
                                        std::string(100000, 'x'));
  const std::vector<TestRow> rows = RowsBothFormatsHold();
  Save(rows);
  EXPECT_EQ(ReadBack(GetParam(), path), rows);
}

TEST_P(WordFileWriterTest, GeneratedTablesComeBackByteForByte) {
  // Readings made of random kana keys with their generated baseforms, and
  // random words of Shift-JIS characters, within the text format's 80 bytes.
  std::mt19937 random(42);
  std::vector<TestRow> rows;
  while (rows.size() < 2000) {
    std::string reading, word;
    const int keys = 1 + static_cast<int>(random() % 8);
    for (int k = 0; k < keys; ++k) {
      reading += KanaPhonemeTable[random() % kKanaPhonemeRows].key;
      // Kanji of JIS level 1.
      word += static_cast<char>(0x89 + random() % 15);
      word += static_cast<char>(0x40 + random() % 0x3F);
    }
    char baseform[kBaseformSize] = {};
    if (ConvertReadingToBaseform(reading.c_str(), baseform) != 1 || reading.size() > 80 ||
        std::strlen(baseform) > 80) {
      continue;
    }
    rows.push_back({word, reading, baseform});
  }
  ASSERT_GT(rows.size(), 1000u);
  EXPECT_EQ(ReadBack(GetParam(), Save(rows)), rows);
}

TEST_P(WordFileWriterTest, AnEmptyListWritesAFileThatReadsBackEmpty) {
  const std::string path = Save({});
  EXPECT_EQ(FileBytes(path).size(), GetParam() == WordFileFormat::kPoolFile ? kPoolHeaderSize : 0u);
  EXPECT_TRUE(ReadBack(GetParam(), path).empty());
}

// A folder that does not exist, and a destination that is a folder: the
// result says so and nothing is left behind.
TEST_P(WordFileWriterTest, FailuresLeaveNothingBehind) {
  TestWordList list;
  list.Append({"w", "", "a"});
  const std::string missing = folder.PathOf("no such folder/out.txt");
  EXPECT_EQ(SaveWordFile(list, missing.c_str(), GetParam()), SaveResult::kCannotCreate);

  const std::string dir = folder.PathOf("a folder");
  std::filesystem::create_directory(dir);
  EXPECT_EQ(SaveWordFile(list, dir.c_str(), GetParam()), SaveResult::kCannotReplace);
  EXPECT_TRUE(std::filesystem::is_directory(dir));
  EXPECT_EQ(FileNamesIn(folder.PathOf("")), std::vector<std::string>{"a folder"}) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(BothFormats, WordFileWriterTest,
                         testing::Values(WordFileFormat::kTextWordList, WordFileFormat::kPoolFile),
                         [](const auto& info) {
                           return info.param == WordFileFormat::kPoolFile ? "PoolFile" : "TextWordList";
                         });

TEST(PoolFileWriter, RecordsHoldOneCodePerSymbol) {
  std::string out;
  AppendPoolFileStart(out);
  AppendPoolFileRecord(WordEntry{"w", "r", "ky a a:"}, out);
  EXPECT_EQ(out, std::string("\0" "1.Ja_JPR\0" "w\0r\0\x27\x15\x16\0", 10 + 8));
}

TEST(RowProblems, EachKindOfRowAFormatCannotHold) {
  const std::string tooLong(81, 'x');
  const struct {
    WordEntry row;
    RowProblem text;
    RowProblem pool;
  } cases[] = {
      {{"", "r", "a"}, RowProblem::kEmptyWord, RowProblem::kNone},
      {{"w\tx", "r", "a"}, RowProblem::kControlByte, RowProblem::kNone},
      {{"w", "r\r", "a"}, RowProblem::kNone, RowProblem::kNone},
      {{"w", "r", "a\n"}, RowProblem::kControlByte, RowProblem::kUnknownSymbol},
      {{"w\x1A", "r", "a"}, RowProblem::kControlByte, RowProblem::kNone},
      {{"w", "?", "a"}, RowProblem::kPlaceholderText, RowProblem::kNone},
      {{"w", "r", "?"}, RowProblem::kPlaceholderText, RowProblem::kUnknownSymbol},
      {{"w", "r", ""}, RowProblem::kNone, RowProblem::kEmptyBaseform},
      {{"w", "r", "k a *"}, RowProblem::kNone, RowProblem::kUnknownSymbol},
      {{"w", "r", "k aa"}, RowProblem::kNone, RowProblem::kUnknownSymbol},
      {{"w", "r", " k a"}, RowProblem::kNone, RowProblem::kBadSpacing},
      {{"w", "r", "k a "}, RowProblem::kNone, RowProblem::kBadSpacing},
      {{"w", "r", "k  a"}, RowProblem::kNone, RowProblem::kBadSpacing},
      {{"w", "r", "k\ta"}, RowProblem::kControlByte, RowProblem::kUnknownSymbol},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextWordListRowProblem(c.row), c.text) << c.row.word << "|" << c.row.reading << "|" << c.row.baseform;
    EXPECT_EQ(PoolFileRowProblem(c.row), c.pool) << c.row.word << "|" << c.row.reading << "|" << c.row.baseform;
  }
  WordEntry longRow{};
  std::copy(tooLong.begin(), tooLong.end(), longRow.reading);
  longRow.word[0] = 'w';
  longRow.baseform[0] = 'a';
  EXPECT_EQ(TextWordListRowProblem(longRow), RowProblem::kFieldTooLong);
  EXPECT_EQ(PoolFileRowProblem(longRow), RowProblem::kNone);
}

// A tab, LF or Ctrl-Z anywhere in any field of any length up to the
// reader's 80 bytes makes the row unwritable as a text word list; no other
// byte does (but for a reading or baseform that is just "?"), whatever bytes
// surround it.
TEST(RowProblems, EveryByteAtEveryPlaceOfEachField) {
  for (size_t length = 1; length <= kTextFieldLimit; length += length < 24 ? 1 : 7) {
    for (size_t at = 0; at < length; ++at) {
      for (int b = 0; b < 256; ++b) {
        std::string fields[3] = {std::string(length, '\x82'), std::string(length, ' '), std::string(length, 'a')};
        const int column = (b + static_cast<int>(at)) % 3;
        fields[column][at] = static_cast<char>(b);
        const bool breaks = b == '\t' || b == '\n' || b == 0x1A;
        const bool placeholder = fields[column] == "?" && column > 0;
        const RowProblem expected =
            breaks ? RowProblem::kControlByte : placeholder ? RowProblem::kPlaceholderText : RowProblem::kNone;
        ASSERT_EQ(TextWordListRowProblem(RowTexts(fields[0], fields[1], fields[2])), expected)
            << "byte " << b << " at " << at << " of " << length << " in column " << column;
      }
    }
  }
}

// The rows needing attention, looked at with the pool writer's own check, are
// exactly the rows Build pool leaves out, each under the writer's reason; the
// rows the file holds are the others.
TEST(RowProblems, RowsThePoolWriterLeavesOutNeedAttention) {
  const struct {
    TestRow row;
    RowProblem pool;
  } cases[] = {
      {{"ramen", Sjis("らーめん"), "r a: m e N"}, RowProblem::kUnknownSymbol},  // "N" has no code
      {{"ok", Sjis("らーめん"), "r a: m e _n"}, RowProblem::kNone},
      {{"star", Sjis("ほし"), "h o *"}, RowProblem::kUnknownSymbol},
      {{"nobase", Sjis("あ"), ""}, RowProblem::kEmptyBaseform},
      {{"noreading", "", ""}, RowProblem::kEmptyBaseform},
      {{"spaced", Sjis("あ"), "a  a"}, RowProblem::kBadSpacing},
      {{"kata", Sjis("カ"), "k a"}, RowProblem::kNone},
      {{"", "", ""}, RowProblem::kEmptyBaseform},
  };
  TestWordList list;
  std::vector<TestRow> written;
  for (const auto& c : cases) {
    list.Append(c.row);
    if (c.pool == RowProblem::kNone) written.push_back(c.row);
  }
  std::vector<uint8_t> flags;
  ASSERT_TRUE(FindAttentionRows(list, flags, PoolFileLeftOutReason));
  ASSERT_EQ(flags.size(), std::size(cases));
  const uint8_t leftOutBits = static_cast<uint8_t>(~(AttentionBit(Attention::kLeftOut) - 1));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const uint8_t leftOut = flags[i] & leftOutBits;
    if (cases[i].pool == RowProblem::kNone) {
      EXPECT_EQ(leftOut, 0) << cases[i].row.word;
      continue;
    }
    int reason = 1;
    while (reason <= kLeftOutReasons && leftOut != LeftOutBit(reason)) ++reason;
    ASSERT_LE(reason, kLeftOutReasons) << cases[i].row.word << ": one reason, flagged " << int{flags[i]};
    EXPECT_EQ(PoolLeftOutProblem(reason), cases[i].pool) << cases[i].row.word;
  }
  EXPECT_EQ(FindUnwritableRows(list, WordFileFormat::kPoolFile).count,
            static_cast<int>(std::size(cases) - written.size()));
  TempFolder folder;
  const std::string path = folder.PathOf("pool.ppl");
  ASSERT_EQ(SaveWordFile(list, path.c_str(), WordFileFormat::kPoolFile), SaveResult::kSaved);
  EXPECT_EQ(ReadBack(WordFileFormat::kPoolFile, path), written);
}

// A lone CR is an ordinary byte to the reader, which drops only the CR of
// each line's CR LF: fields holding one, even at a line's end, come back.
// An empty reading or baseform before a field that is not is written "?".
TEST(TextWordListWriter, FieldsWithACarriageReturnComeBack) {
  TestWordList list;
  const std::vector<TestRow> rows = {{"w\r", "", ""}, {"a\rb", "r\r", ""}, {"x", "", "k a\r"}, {"\r", "\r", "\r"}};
  for (const TestRow& row : rows) list.Append(row);
  EXPECT_EQ(FindUnwritableRows(list, WordFileFormat::kTextWordList).count, 0);
  TempFolder folder;
  const std::string path = folder.PathOf("cr.txt");
  ASSERT_EQ(SaveWordFile(list, path.c_str(), WordFileFormat::kTextWordList), SaveResult::kSaved);
  EXPECT_EQ(FileBytes(path), "w\r\r\na\rb\tr\r\t?\r\nx\t?\tk a\r\r\n\r\t\r\t\r\r\n");
  TestWordList back;
  ASSERT_TRUE(LoadTextWordList(back, path.c_str(), false));
  EXPECT_EQ(back.Rows(), rows);
}

TEST(FindUnwritableRows, CountsThemAndNamesTheFirstFive) {
  TestWordList list;
  list.Append({"ok", "", "a"});
  list.Append({"first", "?", "a"});
  list.Append({"ok2", "", "b"});
  list.Append({"", "", ""});
  const UnwritableRows text = FindUnwritableRows(list, WordFileFormat::kTextWordList);
  EXPECT_EQ(text.count, 2);
  ASSERT_EQ(text.first.size(), 2u);
  EXPECT_EQ(text.first[0].index, 1);
  EXPECT_EQ(text.first[0].word, "first");
  EXPECT_EQ(text.first[0].problem, RowProblem::kPlaceholderText);
  EXPECT_EQ(text.first[1].index, 3);
  EXPECT_EQ(text.first[1].problem, RowProblem::kEmptyWord);

  const UnwritableRows pool = FindUnwritableRows(list, WordFileFormat::kPoolFile);
  EXPECT_EQ(pool.count, 1);
  ASSERT_EQ(pool.first.size(), 1u);
  EXPECT_EQ(pool.first[0].index, 3);

  TestWordList many;
  for (int i = 0; i < 7; ++i) many.Append({std::to_string(i), "", "*"});
  const UnwritableRows seven = FindUnwritableRows(many, WordFileFormat::kPoolFile);
  EXPECT_EQ(seven.count, 7);
  ASSERT_EQ(seven.first.size(), 5u);
  EXPECT_EQ(seven.first[4].word, "4");

  // The writer leaves them out and writes the others in order.
  TempFolder folder;
  const std::string path = folder.PathOf("out.txt");
  ASSERT_EQ(SaveWordFile(list, path.c_str(), WordFileFormat::kTextWordList), SaveResult::kSaved);
  EXPECT_EQ(FileBytes(path), "ok\t?\ta\r\nok2\t?\tb\r\n");
}

#ifndef _WIN32
// A full disk, made by a file-size limit: writing fails part way, the old
// file stays as it was and no temporary file is left.
TEST(WordFileWriterFailure, FullDiskKeepsTheOldFile) {
  TempFolder folder;
  const std::string old = "old contents\r\n";
  const std::string path = folder.Write("list.txt", old);
  TestWordList list;
  for (int i = 0; i < 20000; ++i) list.Append({"word" + std::to_string(i), "", "a"});

  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous = signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = saved;
  limit.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const SaveResult result = SaveWordFile(list, path.c_str(), WordFileFormat::kTextWordList);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);

  EXPECT_EQ(result, SaveResult::kWriteFailed);
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_EQ(FileNamesIn(folder.PathOf("")), std::vector<std::string>{"list.txt"});
}
#endif

}  // namespace
