#include "files/file_formats.h"

#include <gtest/gtest.h>

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

}  // namespace
