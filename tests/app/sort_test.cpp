// Sorting by a click on a column header. The order itself (bytes of the
// first 29, ties kept, each column's direction) is the document's
// (tests/wordlist); here the click reaches it and the list shows the result,
// the rows whole and the selection with its row.

#include "tests/app/main_window_fixture.h"

namespace {

using Texts = std::vector<std::string>;

TEST_F(MainWindowTest, ColumnClicksSortEachColumnInItsOwnDirection) {
  Append({{"ｱ", "1"}, {"b", "2"}, {"蘊", "0"}, {"ア", "3"}, {"", "4"}, {"あ", "5"}, {"亜", "6"}, {"a", "7"}, {"B", "8"}});
  const Texts ascending = {"", "B", "a", "b", "あ", "ア", "亜", "ｱ", "蘊"};
  Select({1});  // "b"

  ClickColumn(0);
  EXPECT_EQ(Words(), ascending);
  EXPECT_EQ(FirstSelectedRow(list()), 3) << "the selection travels with its row";
  ClickColumn(1);
  EXPECT_EQ(Words(), (Texts{"蘊", "ｱ", "b", "ア", "", "あ", "亜", "a", "B"}));
  ClickColumn(0);
  EXPECT_EQ(Words(), Texts(ascending.rbegin(), ascending.rend()));
  EXPECT_EQ(ColumnSortDirection[0], 2);
  EXPECT_EQ(ColumnSortDirection[1], 1);
  EXPECT_EQ(ColumnSortDirection[2], 0);
  EXPECT_EQ(Rows()[7], (Row{"B", "8"})) << "rows move whole";
  EXPECT_EQ(FirstSelectedRow(list()), 5);
}

}  // namespace
