#include "files/file_formats.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "files/pool_file.h"
#include "tests/sjis_literal.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"

namespace {

TEST(FormatOfDroppedFile, LastThreeBytesCaseSensitive) {
  const struct {
    const char* path;
    WordFileFormat format;
  } cases[] = {
      {"words.fsg", WordFileFormat::kGrammarFile}, {"words.ppl", WordFileFormat::kPoolFile},
      {"wordsppl", WordFileFormat::kPoolFile},     {"fsg", WordFileFormat::kGrammarFile},
      {"words.FSG", WordFileFormat::kTextWordList}, {"words.ppl.txt", WordFileFormat::kTextWordList},
      {"sg", WordFileFormat::kTextWordList},        {"", WordFileFormat::kTextWordList},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatOfDroppedFile(c.path).format, c.format) << c.path;
  // Julius dictionaries are only written: one dropped is read as a text word list.
  EXPECT_EQ(FormatOfDroppedFile("words.dict").format, WordFileFormat::kTextWordList);
}

// A filter as the dialogs take it: pairs of NUL-terminated texts, ended by
// one more NUL (the literal's own).
template <size_t N>
constexpr std::string_view Filter(const char (&text)[N]) {
  return {text, N};
}

// What the dialogs offer and the writers take, format by format.
TEST(FileFormatOf, FiltersExtensionsAndWriters) {
  const struct {
    WordFileFormat format;
    std::string_view filter;
    const char* extension;
    bool written;
  } cases[] = {
      {WordFileFormat::kTextWordList, Filter("text(*.txt)\0*.txt\0All files(*.*)\0*.*\0"), "txt", true},
      {WordFileFormat::kGrammarFile, Filter("fsg(*.fsg)\0*.fsg\0All files(*.*)\0*.*\0"), "fsg", false},
      {WordFileFormat::kPoolFile, Filter("ppl(*.ppl)\0*.ppl\0All files(*.*)\0*.*\0"), "ppl", true},
  };
  for (const auto& c : cases) {
    const FileFormat& format = FileFormatOf(c.format);
    EXPECT_EQ(format.format, c.format);
    EXPECT_EQ(std::string_view(format.filter, c.filter.size()), c.filter);
    EXPECT_STREQ(format.extension, c.extension);
    EXPECT_EQ(format.rowProblem != nullptr, c.written);
    EXPECT_EQ(format.appendRow != nullptr, c.written);
  }
}

TEST(LoadDroppedFile, EachKindAppendsAndFailuresAreReported) {
  TempFolder folder;
  TestWordList list;
  const std::string pool(reinterpret_cast<const char*>(kPoolHeader), kPoolHeaderSize);
  EXPECT_TRUE(LoadDroppedFile(list, folder.Write("a.txt", Sjis("text\tか\n")).c_str()));
  EXPECT_TRUE(LoadDroppedFile(list, folder.Write("b.ppl", pool + std::string("pool\0r\0\x15\0", 9)).c_str()));
  EXPECT_TRUE(LoadDroppedFile(list, folder.Write("c.txt", "more\n").c_str()));
  EXPECT_FALSE(LoadDroppedFile(list, folder.Write("d.ppl", "text\n").c_str()));
  EXPECT_FALSE(LoadDroppedFile(list, folder.PathOf("missing.fsg").c_str()));
  EXPECT_FALSE(LoadDroppedFile(list, folder.PathOf("").c_str())) << "a folder";
  const std::vector<TestRow> expected = {{"text", Sjis("か"), "k a"}, {"pool", "r", "a"}, {"more", "", ""}};
  EXPECT_EQ(list.Rows(), expected);
}

// Every reader tells its caller how far it has come, in bytes of a total
// that does not change, ending at the total; a caller that says stop gets a
// failure and the rows as they were.
TEST(LoadWordFile, ProgressReachesTheTotalAndStoppingKeepsTheRows) {
  TempFolder folder;
  std::string words;
  for (int i = 0; i < 200000; ++i) words.append("w").append(std::to_string(i)).push_back('\0');
  const std::string pool(reinterpret_cast<const char*>(kPoolHeader), kPoolHeaderSize);
  std::string records;
  for (int i = 0; i < 100000; ++i) records.append("p").append(std::to_string(i)).append("\0r\0\x15\0", 5);
  std::string grammar(44, '\0');
  const uint32_t values[3] = {static_cast<uint32_t>(44 + words.size()), 20, 20};
  for (int i = 0; i < 3; ++i) std::memcpy(&grammar[static_cast<size_t>(16 * i)], &values[i], 4);
  const struct {
    WordFileFormat format;
    std::string file;
    int rows;
  } cases[] = {
      {WordFileFormat::kTextWordList, [&] {
         std::string text;
         for (int i = 0; i < 200000; ++i) text.append("t").append(std::to_string(i)).append("\r\n");
         return text;
       }(), 200000},
      {WordFileFormat::kGrammarFile, grammar + words, 200000},
      {WordFileFormat::kPoolFile, pool + records, 100000},
  };
  for (const auto& c : cases) {
    const std::string path = folder.Write("file", c.file);
    TestWordList list;
    list.Append({"old", "", ""});
    std::vector<std::pair<uint64_t, uint64_t>> calls;
    const auto record = [&calls](uint64_t done, uint64_t total) {
      calls.emplace_back(done, total);
      return true;
    };
    ASSERT_TRUE(LoadWordFile(list, path.c_str(), c.format, record));
    EXPECT_EQ(RowCount(list), 1 + c.rows);
    ASSERT_GE(calls.size(), 3u) << "a file of megabytes is reported more than once";
    for (size_t i = 1; i < calls.size(); ++i) {
      EXPECT_EQ(calls[i].second, calls[0].second);
      EXPECT_GE(calls[i].first, calls[i - 1].first);
      EXPECT_LE(calls[i].first, calls[i].second);
    }
    EXPECT_EQ(calls.back().first, calls.back().second);
    EXPECT_GE(calls.back().second + kPoolHeaderSize + 44, c.file.size());

    int asked = 0;
    const auto stopSecond = [&asked](uint64_t, uint64_t) { return ++asked < 2; };
    const LoadResult stopped = LoadWordFile(list, path.c_str(), c.format, stopSecond);
    EXPECT_EQ(stopped.failure, LoadFailure::kStopped);
    EXPECT_EQ(RowCount(list), 1 + c.rows);
  }
}

}  // namespace
