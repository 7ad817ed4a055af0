// The commands on readings in the 編集 menu: "よみを補完", with the
// dictionaries the build stages beside the tests (dic/), and
// "カタカナのよみをひらがなに".

#include <windows.h>

#include "res/resource_ids.h"
#include "tests/app/main_window_fixture.h"

namespace {

std::string Result(int filled, int unproposed) {
  return "よみを補完しました。\n補完した行: " + std::to_string(filled) +
         "\nよみを提案できなかった単語: " + std::to_string(unproposed);
}

class FillReadingsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Append({{"東京都"}, {"音声", "おと", "o t o"}, {"彁"}, {"音声認識"}, {"", "", "a"}});
  }
};

// Which rows the proposer fills is the reading fill's (tests/readings); here
// the command: the selected rows when several are, every row otherwise, one
// step to undo and redo, and the message that counts them.
TEST_F(FillReadingsTest, FillsTheSelectedRowsOrEveryRowAsOneStep) {
  const std::vector<Row> before = Rows();
  Select({2, 3});
  CommandWithDialogs(IDM_FILL_READINGS, {ExpectMessage(Result(1, 1), MB_ICONINFORMATION, IDOK)});
  const std::vector<Row> filled = Rows();
  EXPECT_EQ(filled[0].reading, "");
  EXPECT_EQ(filled[3], (Row{"音声認識", "おんせいにんしき", "o _n s e i n i _n sh i k i"}));
  Command(IDM_UNDO);
  EXPECT_EQ(Rows(), before);
  Command(IDM_REDO);
  EXPECT_EQ(Rows(), filled);

  Select({1});
  CommandWithDialogs(IDM_FILL_READINGS, {ExpectMessage(Result(1, 1), MB_ICONINFORMATION, IDOK)});
  EXPECT_EQ(Rows(), (std::vector<Row>{{"東京都", "とうきょうと", "t o u ky o u t o"},
                                      {"音声", "おと", "o t o"},
                                      {"彁"},
                                      {"音声認識", "おんせいにんしき", "o _n s e i n i _n sh i k i"},
                                      {"", "", "a"}}));
}

// Katakana readings become hiragana; an empty baseform is made from the
// folded reading, one the row has stays; readings of hiragana or of other
// characters stay. One step; the message counts the rows.
TEST_F(MainWindowTest, KatakanaReadingsFoldedInOneStep) {
  Append({{"東京", "トウキョウ"}, {"a", "カ", "k a"}, {"b", "かな"}, {"c", "ABC"}, {"d", "ヴァイオリン"}});
  const std::vector<Row> before = Rows();
  CommandWithDialogs(IDM_FOLD_KATAKANA, {ExpectMessage("カタカナのよみをひらがなにしました。\nひらがなにした行: 3",
                                                       MB_ICONINFORMATION, IDOK)});
  const std::vector<Row> folded = {{"東京", "とうきょう", "t o u ky o u"},
                                   {"a", "か", "k a"},
                                   {"b", "かな"},
                                   {"c", "ABC"},
                                   {"d", "ばいおりん", "b a i o r i _n"}};
  EXPECT_EQ(Rows(), folded);
  Command(IDM_UNDO);
  EXPECT_EQ(Rows(), before);
  Command(IDM_REDO);
  EXPECT_EQ(Rows(), folded);
}

}  // namespace
