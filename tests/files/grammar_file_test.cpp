#include "files/grammar_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/sjis_literal.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"

namespace {

void PutValue(std::string& file, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) file[offset + i] = static_cast<char>(value >> (8 * i));
}

// A grammar file whose values are V0, V16 and V32, with `block` (when there
// is one) written from offset V16 + V32 + 4, and every other byte 'z', so no
// NUL; at least `size` bytes long.
std::string GrammarFile(uint32_t v0, uint32_t v16, uint32_t v32, const std::string& block, size_t size = 36) {
  const size_t start = block.empty() ? 0 : v16 + v32 + 4;
  std::string file(std::max(size, start + block.size()), 'z');
  PutValue(file, 0, v0);
  PutValue(file, 16, v16);
  PutValue(file, 32, v32);
  file.replace(start, block.size(), block);
  return file;
}

std::vector<TestRow> Words(std::initializer_list<std::string> words) {
  std::vector<TestRow> rows;
  for (const std::string& word : words) rows.push_back({word, "", ""});
  return rows;
}

class LoadGrammarWordsTest : public testing::Test {
 protected:
  // Loads `file` behind one existing row and returns the rows it added.
  std::vector<TestRow> Load(const std::string& file) {
    ClearWordList(list);
    list.Append({"old", "R", "B"});
    EXPECT_TRUE(LoadGrammarWords(list, folder.Write("g.fsg", file).c_str()));
    std::vector<TestRow> rows = list.Rows();
    EXPECT_EQ(rows.at(0), (TestRow{"old", "R", "B"}));
    rows.erase(rows.begin());
    return rows;
  }

  TempFolder folder;
  TestWordList list;
};

TEST_F(LoadGrammarWordsTest, WordBlockPlacedByTheThreeValues) {
  // V16 = 20, V32 = 40, V0 = 80: the block is bytes 64 to 79, and the 'z'
  // bytes around it must not be taken.
  const std::string block = std::string("ab\0cd\0\0", 7) + Sjis("単語") + std::string("efgh\0", 5);
  ASSERT_EQ(block.size(), 16u);
  EXPECT_EQ(Load(GrammarFile(80, 20, 40, block, 100)), Words({"ab", "cd", "", Sjis("単語") + "efgh"}));
}

TEST_F(LoadGrammarWordsTest, EmptyOrMisplacedBlocksGiveNoRows) {
  const std::string words("a\0b\0", 4);
  EXPECT_TRUE(Load(GrammarFile(44, 20, 20, words)).empty()) << "length 0";
  EXPECT_TRUE(Load(GrammarFile(40, 20, 20, words)).empty()) << "negative length";
  EXPECT_TRUE(Load(GrammarFile(4, 0xFFFFFFF0, 0, "")).empty()) << "block before offset 0";
  EXPECT_TRUE(Load(GrammarFile(2000, 1000, 0, "")).empty()) << "block past the end of the file";
  EXPECT_TRUE(Load(std::string(35, '\0')).empty()) << "too short for the three values";
}

TEST_F(LoadGrammarWordsTest, DamagedBlocksKeepTheWordsBeforeTheDamage) {
  // The block claims 2 GiB; only what the file holds is read.
  EXPECT_EQ(Load(GrammarFile(0x7FFFFFFF, 16, 16, std::string("a\0b\0cut", 7))), Words({"a", "b"}));
  // The last string lacks its NUL inside the block.
  EXPECT_EQ(Load(GrammarFile(44, 16, 16, std::string("a\0bcdefg", 8))), Words({"a"}));
}

TEST_F(LoadGrammarWordsTest, LongWordCutAtWholeCharacter) {
  std::string word;
  for (int i = 0; i < 150; ++i) word += Sjis("か");  // 300 bytes
  const std::string block = word + '\0' + "next" + '\0';
  const std::vector<TestRow> rows = Load(GrammarFile(static_cast<uint32_t>(36 + block.size()), 16, 16, block));
  EXPECT_EQ(rows, Words({word.substr(0, 254), "next"}));
}

}  // namespace
