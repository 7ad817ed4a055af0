// Sorting by a click on a column header: plain byte order of the first 29
// bytes, each column with its own direction, rows that compare equal in the
// order they had. The rows move with their selection.

#include <algorithm>
#include <cstring>
#include <random>

#include "res/resource_ids.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/sort_prefix_oracle.h"

namespace {

using Texts = std::vector<std::string>;

std::vector<std::string> Column(const std::vector<Row>& rows, int column) {
  std::vector<std::string> texts;
  for (const Row& row : rows) texts.push_back(column == 0 ? row.word : column == 1 ? row.reading : row.baseform);
  return texts;
}

TEST_F(MainWindowTest, ColumnClicksSortByBytesEachColumnInItsOwnDirection) {
  // Byte order: empty, upper case, lower case, hiragana, katakana, kanji with
  // a lead byte up to 0x9F, half-width katakana, kanji with a lead byte from
  // 0xE0 on. The reading runs the other way.
  Append({{"ｱ", "1"}, {"b", "2"}, {"蘊", "0"}, {"ア", "3"}, {"", "4"}, {"あ", "5"}, {"亜", "6"}, {"a", "7"}, {"B", "8"}});
  const Texts ascending = {"", "B", "a", "b", "あ", "ア", "亜", "ｱ", "蘊"};
  Texts descending(ascending.rbegin(), ascending.rend());

  ClickColumn(0);
  EXPECT_EQ(Column(Rows(), 0), ascending);
  ClickColumn(1);
  EXPECT_EQ(Column(Rows(), 1), (Texts{"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
  ClickColumn(0);
  EXPECT_EQ(Column(Rows(), 0), descending);
  ClickColumn(0);
  EXPECT_EQ(Column(Rows(), 0), ascending);
  EXPECT_EQ(ColumnSortDirection(list(), 0), 1);
  EXPECT_EQ(ColumnSortDirection(list(), 1), 1);
  EXPECT_EQ(ColumnSortDirection(list(), 2), 0);
  EXPECT_EQ(Rows()[1], (Row{"B", "8"})) << "rows move whole";
}

TEST_F(MainWindowTest, RowsEqualInTheirFirst29BytesKeepTheirOrderBothWays) {
  const std::string start(29, 'k');
  Append({{start + "3"}, {"z"}, {start + "1"}, {start}, {start + "2"}});
  ClickColumn(0);
  EXPECT_EQ(Column(Rows(), 0), (Texts{start + "3", start + "1", start, start + "2", "z"}));
  ClickColumn(0);
  EXPECT_EQ(Column(Rows(), 0), (Texts{"z", start + "3", start + "1", start, start + "2"}));
  // A double-byte character across the 29th byte does not count at all.
  Command(IDM_NEW);
  const std::string cut(28, 'k');
  Append({{cut + "い"}, {cut + "あ"}, {cut}});
  ClickColumn(0);
  EXPECT_EQ(Column(Rows(), 0), (Texts{cut + "い", cut + "あ", cut}));
}

TEST_F(MainWindowTest, SelectionTravelsWithItsRow) {
  Append({{"c"}, {"a"}, {"b"}});
  Select({0});
  ClickColumn(0);
  EXPECT_EQ(FirstSelectedRow(list()), 2);
}

// Many rows with few distinct starts, against an order computed here: a
// stable sort on the first 29 bytes cut at a whole character.
TEST_F(MainWindowTest, LargeSortsAgreeWithAStableByteOrder) {
  const char* pieces[] = {"a", "B", "k", "あ", "ア", "ｱ", "蘊", "亜"};
  std::mt19937 random(4);
  std::vector<Row> rows;
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    const int length = static_cast<int>(random() % 20);
    for (int j = 0; j < length; ++j) text += pieces[random() % 4 + (j % 3 == 0 ? 4 : 0)];
    rows.push_back({text, std::to_string(i)});
  }
  Append(rows);

  for (bool ascending : {true, false}) {
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
      const std::string pa = OracleSortPrefix(a.word), pb = OracleSortPrefix(b.word);
      const int order = std::memcmp(pa.data(), pb.data(), std::min(pa.size(), pb.size()));
      const int sign = order != 0 ? order : pa.size() < pb.size() ? -1 : pa.size() > pb.size() ? 1 : 0;
      return ascending ? sign < 0 : sign > 0;
    });
    ClickColumn(0);
    ASSERT_EQ(Column(Rows(), 1), Column(rows, 1)) << (ascending ? "ascending" : "descending");
  }
}

}  // namespace
