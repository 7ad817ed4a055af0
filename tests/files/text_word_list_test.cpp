#include "files/text_word_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/sjis_literal.h"
#include "tests/support/lead_byte_cases.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"

namespace {

// Splits one line and returns its fields; the count of fields must be
// `expectedFields` (0: the line gives no row).
TestRow SplitFields(const std::string& text, int expectedFields) {
  std::vector<char> line(text.begin(), text.end());
  line.push_back('\0');
  char word[kWordFieldSize] = {}, reading[kWordFieldSize] = {}, baseform[kWordFieldSize] = {};
  EXPECT_EQ(SplitWordLine(line.data(), word, reading, baseform), expectedFields);
  return {word, reading, baseform};
}

struct SplitCase {
  std::string line;
  int fields;
  TestRow expected;  // only looked at when fields > 0
};

TEST(SplitWordLine, LineShapesTabsAndFieldCuts) {
  const std::string kana40 = Sjis("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらり");
  const SplitCase cases[] = {
      {"", 0, {}},
      {"\t\t", 0, {}},
      {"W", 1, {"W", "", ""}},
      {"\tW", 1, {"W", "", ""}},
      {"W\n", 1, {"W", "", ""}},
      {"W\t", 0, {}},
      {"W\tR", 2, {"W", "R", ""}},
      {"W\t\t\tR", 2, {"W", "R", ""}},
      {"W\tR\t", 0, {}},
      {"W\tR\tB", 3, {"W", "R", "B"}},
      {"W\tR\tB x\tmore\tfields", 3, {"W", "R", "B x"}},
      {"   ", 1, {"   ", "", ""}},
      {std::string(81, 'x'), 1, {std::string(80, 'x'), "", ""}},
      // The 80-byte cut keeps whole characters: 40 kana fit exactly, but
      // behind one ASCII byte only 39 do.
      {Sjis("W\t") + kana40 + Sjis("る"), 2, {"W", kana40, ""}},
      {Sjis("W\ta") + kana40, 2, {"W", Sjis("a") + kana40.substr(0, 78), ""}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.line);
    const TestRow fields = SplitFields(c.line, c.fields);
    if (c.fields > 0) {
      EXPECT_EQ(fields, c.expected);
    }
  }
}

// Each field keeps at most 80 bytes, and never the lead byte of a character
// that the 80th byte would split.
TEST(SplitWordLine, EightyByteCutAtEachLeadByteRangeEdge) {
  for (unsigned char lead : kLeadBytesAtRangeEnds) {
    SCOPED_TRACE(int{lead});
    const std::string forty = PairsStartingWith(lead, 40), thirtyNine = PairsStartingWith(lead, 39);
    EXPECT_EQ(SplitFields(forty + "x\ta" + forty + "\t" + forty + forty, 3), (TestRow{forty, "a" + thirtyNine, forty}));
  }
  for (unsigned char single : kBytesJustOutsideLeadRanges) {
    SCOPED_TRACE(int{single});
    const std::string eighty = PairsStartingWith(single, 40), seventyNine = eighty.substr(0, 79);
    EXPECT_EQ(SplitFields("a" + eighty + "\t" + eighty + "@\t" + eighty + eighty, 3),
              (TestRow{"a" + seventyNine, eighty, eighty}));
  }
  // Half-width katakana are single bytes: ｱ (0xB1) 81 times keeps 80.
  EXPECT_EQ(SplitFields(std::string(81, '\xB1'), 1), (TestRow{std::string(80, '\xB1'), "", ""}));
  EXPECT_EQ(SplitFields(std::string(80, '\xA1') + "\t" + std::string(90, '\xDF'), 2),
            (TestRow{std::string(80, '\xA1'), std::string(80, '\xDF'), ""}));
}

class LoadTextWordListTest : public testing::Test {
 protected:
  std::vector<TestRow> Load(std::string_view bytes) {
    EXPECT_TRUE(LoadTextWordList(list, folder.Write("list.txt", bytes).c_str(), false));
    return list.Rows();
  }

  TempFolder folder;
  TestWordList list;
};

TEST_F(LoadTextWordListTest, PlaceholdersAndGeneratedBaseforms) {
  const std::string file = Sjis(
      "単語\tかっぱ\n"
      "W\t?\tB\n"
      "W\t?\n"
      "?\t?\t?\n"
      "W\tか\t?\n"
      "W\t？\tB\n"
      "W\t かっぱ\n"
      "W\tカッパ\n"
      "W\tかっぱ\tB\n");
  const std::vector<TestRow> expected = {
      {Sjis("単語"), Sjis("かっぱ"), "k a Qp a"},
      {"W", "", "B"},
      {"W", "", ""},
      {"?", "", ""},
      {"W", Sjis("か"), ""},
      {"W", Sjis("？"), "B"},
      {"W", Sjis(" かっぱ"), ""},
      {"W", Sjis("カッパ"), ""},
      {"W", Sjis("かっぱ"), "B"},
  };
  EXPECT_EQ(Load(file), expected);
}

// Only a reading or baseform of the one byte "?" is empty; anything longer
// that starts with it, and the full-width "？", is text like any other.
TEST_F(LoadTextWordListTest, OnlyALoneQuestionMarkIsAPlaceholder) {
  const std::string file = Sjis(
      "?\n"
      "?\tか\n"
      "W\t?\t?\n"
      "W\t? \tB\n"
      "W\t?x\tB\n"
      "W\t??\tB\n"
      "W\t？\t？\n"
      "W\tか\t? \n"
      "W\tか\t?x\n"
      "W\tか\t??\n"
      "W\t? \n"
      "W\t？\n");
  const std::vector<TestRow> expected = {
      {"?", "", ""},
      {"?", Sjis("か"), "k a"},
      {"W", "", ""},
      {"W", "? ", "B"},
      {"W", "?x", "B"},
      {"W", "??", "B"},
      {"W", "\x81\x48", "\x81\x48"},
      {"W", Sjis("か"), "? "},
      {"W", Sjis("か"), "?x"},
      {"W", Sjis("か"), "??"},
      {"W", "? ", ""},  // not hiragana: nothing generated
      {"W", "\x81\x48", ""},
  };
  EXPECT_EQ(Load(file), expected);
}

TEST_F(LoadTextWordListTest, LineEndsCtrlZAndNul) {
  const std::vector<TestRow> lf = Load("a\tか\nb\n\nc\tき\tk i\n");
  EXPECT_EQ(Load("a\tか\r\nb\r\n\r\nc\tき\tk i\r\n"), lf);
  EXPECT_EQ(lf.size(), 3u);

  // A CR without its LF is an ordinary byte, also at the end of the file.
  EXPECT_EQ(Load("a\rb\nc\r"), (std::vector<TestRow>{{"a\rb", "", ""}, {"c\r", "", ""}}));
  // Ctrl-Z ends the file, even inside a line.
  EXPECT_EQ(Load("a\nb\x1A" "c\nd\n"), (std::vector<TestRow>{{"a", "", ""}, {"b", "", ""}}));
  // A NUL ends the text of its line only.
  EXPECT_EQ(Load(std::string("a\0\tb\nc", 6)), (std::vector<TestRow>{{"a", "", ""}, {"c", "", ""}}));
}

TEST_F(LoadTextWordListTest, LongLinesGiveOneRowEach) {
  // Lines far beyond the old 511-byte pieces: a CR LF split between the
  // reader's 64 KiB blocks, and a line that spans a whole block.
  std::string file = std::string(600, 'w') + "\n" + std::string(2000, 'x') + "\t" + Sjis("かっぱ") + "\n";
  file += std::string(65532 - file.size(), 'y') + "\t" + Sjis("か") + "\r\n";
  file += std::string(70000, 'v') + "\t" + Sjis("か") + "\nz";
  const std::vector<TestRow> expected = {
      {std::string(80, 'w'), "", ""},
      {std::string(80, 'x'), Sjis("かっぱ"), "k a Qp a"},
      {std::string(80, 'y'), Sjis("か"), "k a"},
      {std::string(80, 'v'), Sjis("か"), "k a"},
      {"z", "", ""},
  };
  EXPECT_EQ(Load(file), expected);
}

// The reader takes most lines straight from its 64 KiB block and the rest
// piece by piece: a line gives the same row wherever the block ends fall in
// it (in its text, on its CR, on its LF), and a Ctrl-Z behind it still ends
// the file.
TEST_F(LoadTextWordListTest, ARowDoesNotDependOnWhereTheBlocksEnd) {
  const std::string lines[] = {Sjis("単語\tかっぱ\r\n"), "w\t?\tb\r\n", "x\r\n", "y\rz\n", "\t\n", "v\t\t\tか\n"};
  const TestRow filler{std::string(80, 'p'), "", ""};
  for (const std::string& line : lines) {
    std::vector<TestRow> alone = Load(line);
    std::vector<TestRow> expected = {filler};
    expected.insert(expected.end(), alone.begin(), alone.end());
    expected.insert(expected.end(), alone.begin(), alone.end());
    for (size_t start = 65536 - line.size() - 1; start <= 65537; ++start) {
      const std::string file = std::string(start - 1, 'p') + "\n" + line + line;
      ASSERT_EQ(Load(file), expected) << "line " << line << " from byte " << start;
      ASSERT_EQ(Load(file + "\x1A" "q\n"), expected) << "line " << line << " from byte " << start;
    }
  }
}

TEST_F(LoadTextWordListTest, ReplaceAndAppendModes) {
  list.Append({"old", "", ""});
  EXPECT_TRUE(LoadTextWordList(list, folder.Write("two.txt", "b\nc\n").c_str(), true));
  EXPECT_TRUE(LoadTextWordList(list, folder.Write("one.txt", "a").c_str(), true));
  EXPECT_EQ(list.Rows(), (std::vector<TestRow>{{"old", "", ""}, {"b", "", ""}, {"c", "", ""}, {"a", "", ""}}));

  EXPECT_TRUE(LoadTextWordList(list, folder.Write("new.txt", "n\n").c_str(), false));
  EXPECT_EQ(list.Rows(), (std::vector<TestRow>{{"n", "", ""}}));
  EXPECT_TRUE(Load("").empty()) << "an empty file replaces the rows with none";
}

}  // namespace
