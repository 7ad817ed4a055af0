#include "import/dropped_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/pool_file.h"
#include "tests/sjis_literal.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"

namespace {

TEST(KindOfDroppedFile, LastThreeBytesCaseSensitive) {
  const struct {
    const char* path;
    DroppedFileKind kind;
  } cases[] = {
      {"words.fsg", DroppedFileKind::kGrammarFile}, {"words.ppl", DroppedFileKind::kPoolFile},
      {"wordsppl", DroppedFileKind::kPoolFile},     {"fsg", DroppedFileKind::kGrammarFile},
      {"words.FSG", DroppedFileKind::kTextWordList}, {"words.ppl.txt", DroppedFileKind::kTextWordList},
      {"sg", DroppedFileKind::kTextWordList},        {"", DroppedFileKind::kTextWordList},
  };
  for (const auto& c : cases) EXPECT_EQ(KindOfDroppedFile(c.path), c.kind) << c.path;
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
