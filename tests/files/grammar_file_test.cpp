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

// A grammar file whose values are V0, V16 and V32, with `block` written
// from `blockOffset`, a number each test states itself; at least `size`
// bytes long. Every other byte outside the values is 'z' at even offsets and
// NUL at odd ones, so a block placed a few bytes early or read a few bytes
// too far gives rows of "z".
std::string GrammarFile(uint32_t v0, uint32_t v16, uint32_t v32, size_t blockOffset, const std::string& block,
                        size_t size = 36) {
  std::string file(std::max(size, blockOffset + block.size()), '\0');
  for (size_t i = 0; i < file.size(); i += 2) file[i] = 'z';
  PutValue(file, 0, v0);
  PutValue(file, 16, v16);
  PutValue(file, 32, v32);
  file.replace(blockOffset, block.size(), block);
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
  // V16 = 20, V32 = 40, V0 = 80: the block is bytes 64 to 79, and the words
  // around it must not be taken.
  const std::string block = std::string("ab\0cd\0\0", 7) + Sjis("単語") + std::string("efgh\0", 5);
  ASSERT_EQ(block.size(), 16u);
  EXPECT_EQ(Load(GrammarFile(80, 20, 40, 64, block, 100)), Words({"ab", "cd", "", Sjis("単語") + "efgh"}));
  // Only the sum of V16 and V32 places it: 60 + 0 + 4 and 0 + 60 + 4.
  EXPECT_EQ(Load(GrammarFile(80, 60, 0, 64, block, 100)), Words({"ab", "cd", "", Sjis("単語") + "efgh"}));
  EXPECT_EQ(Load(GrammarFile(80, 0, 60, 64, block, 100)), Words({"ab", "cd", "", Sjis("単語") + "efgh"}));
  // V0 = 73 ends the block after the first byte pair of 単語 (bytes 71 and
  // 72), whose word then has no NUL inside the block and gives no row.
  EXPECT_EQ(Load(GrammarFile(73, 20, 40, 64, block, 100)), Words({"ab", "cd", ""}));
}

TEST_F(LoadGrammarWordsTest, EmptyOrMisplacedBlocksGiveNoRows) {
  const std::string words("a\0b\0", 4);
  EXPECT_TRUE(Load(GrammarFile(44, 20, 20, 44, words)).empty()) << "length 0";
  EXPECT_TRUE(Load(GrammarFile(40, 20, 20, 44, words)).empty()) << "negative length";
  EXPECT_TRUE(Load(GrammarFile(45, 20, 20, 44, words)).empty()) << "length 1: a word without its NUL";
  EXPECT_EQ(Load(GrammarFile(46, 20, 20, 44, words)), Words({"a"})) << "length 2";
  EXPECT_TRUE(Load(GrammarFile(4, 0xFFFFFFF0, 0, 36, "")).empty()) << "block before offset 0";
  EXPECT_TRUE(Load(GrammarFile(2000, 1000, 0, 36, "")).empty()) << "block past the end of the file";
  EXPECT_TRUE(Load(std::string(35, '\0')).empty()) << "too short for the three values";
}

TEST_F(LoadGrammarWordsTest, DamagedBlocksKeepTheWordsBeforeTheDamage) {
  // The block claims 2 GiB; only what the file holds is read.
  EXPECT_EQ(Load(GrammarFile(0x7FFFFFFF, 16, 16, 36, std::string("a\0b\0cut", 7))), Words({"a", "b"}));
  // The last string lacks its NUL inside the block (bytes 36 to 43).
  EXPECT_EQ(Load(GrammarFile(44, 16, 16, 36, std::string("a\0bcdefg\0", 9))), Words({"a"}));
}

TEST_F(LoadGrammarWordsTest, LongWordCutAtWholeCharacter) {
  std::string word;
  for (int i = 0; i < 150; ++i) word += Sjis("か");  // 300 bytes
  const std::string block = word + '\0' + "next" + '\0';
  ASSERT_EQ(block.size(), 306u);
  const std::vector<TestRow> rows = Load(GrammarFile(342, 16, 16, 36, block));
  EXPECT_EQ(rows, Words({word.substr(0, 254), "next"}));
}

}  // namespace
