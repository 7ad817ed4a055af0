// Which encoding a text word list is read in, and what UTF-8 gives.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/text_word_list.h"
#include "tests/sjis_literal.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";

// Each read starts from the automatic choice, whatever a case forced.
class TextEncodingTest : public testing::Test {
 protected:
  ~TextEncodingTest() override { SetTextWordListEncoding(TextEncoding::kAuto); }

  std::vector<TestRow> Load(const std::string& bytes, TextEncoding encoding = TextEncoding::kAuto) {
    TestWordList list;
    SetTextWordListEncoding(encoding);
    EXPECT_TRUE(LoadTextWordList(list, folder.Write("list.txt", bytes).c_str(), false));
    SetTextWordListEncoding(TextEncoding::kAuto);
    return list.Rows();
  }

  TempFolder folder;
};

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A UTF-8 list, with or without a byte order mark, with LF or CR LF, gives
// the rows of its Shift-JIS twin. The long line puts characters across the
// reader's 64 KiB blocks (3 bytes each: one is cut by the block's end).
TEST_F(TextEncodingTest, Utf8ListsGiveTheRowsOfTheirShiftJisTwin) {
  const std::string longLine = "ア\tあ\ta\t" + [] {
    std::string kana;
    for (int i = 0; i < 30000; ++i) kana += "あ";
    return kana;
  }() + "\n";
  const std::string texts[] = {
      "単語\tたんご\nカタカナ\tかたかな\t?\n表\nｶﾀ\tか\nplain\n",
      "ー\tー\n" + longLine + "ア\tあ\n",
      "単語",  // no line end
  };
  for (const std::string& text : texts) {
    const std::vector<TestRow> twin = Load(Sjis(text));
    ASSERT_FALSE(LastTextWordListRead().utf8);
    for (const bool bom : {false, true}) {
      for (const bool crlf : {false, true}) {
        SCOPED_TRACE(text.substr(0, 20) + (bom ? " BOM" : "") + (crlf ? " CRLF" : ""));
        EXPECT_EQ(Load((bom ? kBom : "") + (crlf ? WithCrLf(text) : text)), twin);
        EXPECT_TRUE(LastTextWordListRead().utf8);
        EXPECT_TRUE(LastTextWordListRead().unheldLines.empty());
      }
    }
  }
}

struct EncodingCase {
  const char* what;
  std::string bytes;
  TextEncoding forced;
  bool utf8;                       // read as UTF-8
  std::vector<TestRow> rows;       // empty: the rows of a forced Shift-JIS read
  std::vector<long> unheldLines;
};

// What decides the encoding, and what a character code page 932 cannot hold
// becomes: "〓" in its place, no reading, its line named.
TEST_F(TextEncodingTest, WhatDecidesAndWhatCannotBeHeld) {
  const std::string geta = "\x81\xAC";  // 〓 in code page 932
  const std::string a = Sjis("あ");
  const EncodingCase cases[] = {
      {"ASCII alone is read as it is", "abc\tdef\n", TextEncoding::kAuto, false, {}, {}},
      {"Shift-JIS is not valid UTF-8", Sjis("単語\tたんご\n"), TextEncoding::kAuto, false, {}, {}},
      {"UTF-8 cut short at the end", "x\n\xE3\x81", TextEncoding::kAuto, false, {}, {}},
      {"UTF-8 up to a Ctrl-Z, anything after", "\xE3\x81\x82\tあ\n\x1A\x82\xA0", TextEncoding::kAuto, true,
       {{a, a, "a"}}, {}},
      {"a character code page 932 lacks", "\xF0\xA0\xAE\xB7野\tよ\n" "ア\tあ\tX\n", TextEncoding::kAuto, true,
       {{geta + "\x96\xEC", "", ""}, {Sjis("ア"), a, "X"}}, {1}},
      {"forced UTF-8 on Shift-JIS", "ok\n" + Sjis("単\tたんご\n"), TextEncoding::kUtf8, true,
       {{"ok", "", ""}, {geta + "P", "", ""}}, {2}},  // 単 is 0x92 0x50: a stray byte, then "P"
      {"forced Shift-JIS on UTF-8", "\xE3\x81\x82\n", TextEncoding::kShiftJis, false, {}, {}},
  };
  for (const EncodingCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<TestRow> rows = Load(c.bytes, c.forced);
    EXPECT_EQ(LastTextWordListRead().utf8, c.utf8);
    EXPECT_EQ(LastTextWordListRead().unheldLines, c.unheldLines);
    EXPECT_EQ(rows, c.rows.empty() ? Load(c.bytes, TextEncoding::kShiftJis) : c.rows);
  }
}

// The sample word lists are Shift-JIS and are read byte for byte.
TEST_F(TextEncodingTest, ShiftJisSamplesAreReadByteForByte) {
  for (const char* name : {"sample-words.txt", "words-without-readings.txt"}) {
    SCOPED_TRACE(name);
    const std::string bytes = FileBytes(std::string(LEXIFORGE_SAMPLES) + "/" + name);
    ASSERT_FALSE(bytes.empty());
    const std::vector<TestRow> rows = Load(bytes);
    EXPECT_FALSE(LastTextWordListRead().utf8);
    EXPECT_GT(rows.size(), 0u);
    EXPECT_EQ(rows, Load(bytes, TextEncoding::kShiftJis));
  }
}

}  // namespace
