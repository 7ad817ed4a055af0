#include "files/pool_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/sjis_literal.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"

namespace {

const std::string kHeader(reinterpret_cast<const char*>(kPoolHeader), kPoolHeaderSize);

std::string Record(const std::string& word, const std::string& reading, const std::string& codes) {
  return word + '\0' + reading + '\0' + codes + '\0';
}

class LoadPoolFileTest : public testing::Test {
 protected:
  bool Load(const std::string& file) { return static_cast<bool>(LoadPoolFile(list, folder.Write("p.ppl", file).c_str())); }

  TempFolder folder;
  TestWordList list;
};

TEST_F(LoadPoolFileTest, RecordsAppendedWithExpandedBaseforms) {
  list.Append({"old", "", ""});
  const std::string body = Record(Sjis("単語"), Sjis("きゃー"), "\x27\x15\x16") +
                           Record("k", "", "\x26\x01\x15\x16") + Record("", "", "");
  EXPECT_TRUE(Load(kHeader + body));
  const std::vector<TestRow> expected = {
      {"old", "", ""},
      {Sjis("単語"), Sjis("きゃー"), "ky a a:"},
      {"k", "", "k a a:"},
      {"", "", ""},
  };
  EXPECT_EQ(list.Rows(), expected);
}

TEST_F(LoadPoolFileTest, HeaderMustMatchInEveryByte) {
  EXPECT_TRUE(Load(kHeader));
  for (size_t i = 0; i < kPoolHeaderSize; ++i) {
    std::string file = kHeader + Record("w", "r", "\x15");
    file[i] = static_cast<char>(file[i] ^ 0x01);
    EXPECT_FALSE(Load(file)) << "byte " << i;
  }
  EXPECT_FALSE(Load(kHeader.substr(0, 9)));
  EXPECT_FALSE(Load(kHeader.substr(1) + Record("w", "r", "\x15"))) << "no leading NUL";
  EXPECT_EQ(RowCount(list), 0);
}

TEST_F(LoadPoolFileTest, BodyEndingInsideARecordKeepsTheRecordsBefore) {
  const std::string whole = Record("a", "b", "\x15");
  for (const std::string& damaged : {std::string("w"), std::string("w\0r", 3), std::string("w\0r\0\x15", 5)}) {
    ClearWordList(list);
    EXPECT_TRUE(Load(kHeader + whole + damaged));
    EXPECT_EQ(list.Rows(), (std::vector<TestRow>{{"a", "b", "a"}}));
  }
}

TEST_F(LoadPoolFileTest, OversizedFieldsAreCut) {
  std::string word;
  for (int i = 0; i < 150; ++i) word += Sjis("か");      // 300 bytes
  const std::string codes(100, '\x0C');                    // 100 times "Qky"
  ASSERT_TRUE(Load(kHeader + Record(word, word, codes) + Record("next", "", "\x15")));
  const std::vector<TestRow> rows = list.Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].word, word.substr(0, 254));
  EXPECT_EQ(rows[0].reading, word.substr(0, 254));
  std::string expanded = "Qky";
  while (expanded.size() + 4 <= 255) expanded += " Qky";
  EXPECT_EQ(rows[0].baseform, expanded);
  EXPECT_EQ(rows[1], (TestRow{"next", "", "a"}));
}

}  // namespace
