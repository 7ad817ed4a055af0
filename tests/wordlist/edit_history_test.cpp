#include "wordlist/edit_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "convert/sjis_text.h"
#include "tests/support/test_word_list.h"

namespace {

using Texts = TestRow;

class EditHistoryTest : public testing::Test {
 protected:
  EditHistoryTest() {
    history.SetContext([this] { return context; }, [this](const std::string& saved) { context = saved; });
  }
  ~EditHistoryTest() override { DestroyWordTable(list); }

  void Append(const std::vector<Texts>& rows, WordList table = nullptr) { AppendTestRows(table ? table : list, rows); }

  std::vector<Texts> Rows() const { return TestRowsOf(list); }

  std::vector<int> Selected() const {
    std::vector<int> rows;
    for (int i = NextSelectedRow(list, -1); i >= 0; i = NextSelectedRow(list, i)) rows.push_back(i);
    return rows;
  }

  void Select(std::vector<int> rows, int focused) {
    DeselectAllWordRows(list);
    for (int row : rows) SelectWordRow(list, row, true);
    FocusWordRow(list, focused);
  }

  WordList list = CreateWordTable();
  EditHistory history{list};
  std::string context = "a.txt";
};

const std::vector<Texts> kThree = {{"a", "あ", "a"}, {"b", "", ""}, {"c", "し", "sh i"}};

TEST_F(EditHistoryTest, InsertedRowsGoAndComeBackWithTheirStates) {
  Append(kThree);
  Select({0, 2}, 2);
  StepMark mark = history.Mark();
  InsertWordRow(list, 1, TestEntry("x"));
  InsertWordRow(list, 2, TestEntry("y"));
  history.RecordRowsInserted(std::move(mark), 1, 2);
  Select({1}, 1);
  const std::vector<Texts> after = Rows();

  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Rows(), kThree);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
  EXPECT_EQ(FocusedRow(list), 2);

  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Rows(), after);
  EXPECT_EQ(Selected(), (std::vector<int>{1}));
  EXPECT_EQ(FocusedRow(list), 1);
  EXPECT_FALSE(history.Redo());
}

TEST_F(EditHistoryTest, DeletedRowComesBackInItsPlace) {
  Append(kThree);
  Select({1}, 1);
  history.RecordRowDeleting(1);
  DeleteSelectedWordRow(list);
  EXPECT_EQ(Rows().size(), 2u);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Rows(), kThree);
  EXPECT_EQ(Selected(), (std::vector<int>{1}));
  EXPECT_EQ(FocusedRow(list), 1);
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Rows(), (std::vector<Texts>{kThree[0], kThree[2]}));
}

// Rows changed in one exchange, as the fill of readings changes them: the
// step keeps the old texts in the table that brought the new ones, undo and
// redo exchange them in one pass, and the first changed row is named. An
// exchange of some columns (the fill's reading and baseform) leaves the
// other texts where they are, in the rows and in the step.
TEST_F(EditHistoryTest, RowsChangedInOneExchange) {
  const struct {
    unsigned columns;
    std::vector<Texts> texts, changed;
  } cases[] = {
      {kAllColumns,
       {{"A", "あ", "a"}, {"C", "し", "sh i"}},
       {{"A", "あ", "a"}, kThree[1], {"C", "し", "sh i"}}},
      {ColumnBit(1) | ColumnBit(2),
       {{"", "あ", "a"}, {"", "", "sh i"}},
       {{"a", "あ", "a"}, kThree[1], {"c", "", "sh i"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.columns);
    ClearWordList(list);
    Append(kThree);
    Select({1}, 1);
    const uint64_t revision = WordTableRevision(list);
    WordList texts = CreateWordTable();
    Append(c.texts, texts);
    StepMark mark = history.Mark();
    mark.label = 7;
    EXPECT_FALSE(ExchangeWordRowTexts(list, {0, 9}, texts, c.columns)) << "row 9 is no row";
    EXPECT_FALSE(history.ChangeRows(history.Mark(), {0}, CreateWordTable(), c.columns))
        << "one row named, no texts for it";
    EXPECT_EQ(Rows(), kThree);
    ASSERT_TRUE(history.ChangeRows(std::move(mark), {0, 2}, texts, c.columns));
    EXPECT_EQ(Rows(), c.changed);
    EXPECT_NE(WordTableRevision(list), revision);
    EXPECT_EQ(Selected(), (std::vector<int>{1})) << "the states stay";
    EXPECT_EQ(history.UndoLabel(), 7);
    // What the step keeps: the two old rows' texts and twelve bytes a row, in
    // whole blocks of the text store.
    EXPECT_LT(history.LastStepMemory(), 70u * 1024);
    for (int again = 0; again < 2; ++again) {
      ASSERT_TRUE(history.Undo());
      EXPECT_EQ(Rows(), kThree);
      EXPECT_EQ(history.LastChangedRow(), 0);
      EXPECT_EQ(history.RedoLabel(), 7);
      ASSERT_TRUE(history.Redo());
      EXPECT_EQ(Rows(), c.changed);
    }
  }
}

// Rows changed in place by the caller after their texts were kept (Modify).
TEST_F(EditHistoryTest, RowsChangedInPlaceExchangeTheirTexts) {
  Append(kThree);
  history.RecordRowsChanging({0, 2, 7});  // 7 is no row and is passed over
  SetWordRow(list, 0, TestEntry("a", "い", "i"));
  SetWordRow(list, 2, TestEntry("c2"));
  const std::vector<Texts> changed = Rows();
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Rows(), kThree);
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Rows(), changed);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Rows(), kThree);
}

TEST_F(EditHistoryTest, ReplacedTableAndItsContextComeBack) {
  Append(kThree);
  Select({0}, 0);
  StepMark mark = history.Mark();
  WordList fresh = CreateWordTable();
  Append({{"new"}}, fresh);
  context = "b.txt";
  history.ReplaceRows(std::move(mark), fresh);
  EXPECT_EQ(Rows(), (std::vector<Texts>{{"new"}}));

  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Rows(), kThree);
  EXPECT_EQ(context, "a.txt");
  EXPECT_EQ(Selected(), (std::vector<int>{0}));
  context = "saved-as.txt";  // a save while undone: the redo gives back the file of the redone rows
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Rows(), (std::vector<Texts>{{"new"}}));
  EXPECT_EQ(context, "b.txt");
}

// A save under another name between a change and its undo: the change did
// not touch the current file, so its undo leaves the file alone.
TEST_F(EditHistoryTest, StepsThatKeptTheContextLeaveItAlone) {
  Append(kThree);
  history.RecordRowDeleting(0);
  SelectWordRow(list, 0, true);
  DeleteSelectedWordRow(list);
  context = "saved-as.txt";
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(context, "saved-as.txt");
}

TEST_F(EditHistoryTest, SortIsUndoneWithItsDirection) {
  Append({{"c"}, {"a"}, {"b"}});
  Select({0}, 0);  // "c"
  StepMark mark = history.Mark();
  const int32_t before = ColumnSortDirection(list, 0);
  std::vector<uint32_t> order;
  SortWordList(list, 0, order);
  history.RecordRowsSorted(std::move(mark), order, 0, before);
  EXPECT_EQ(Rows(), (std::vector<Texts>{{"a"}, {"b"}, {"c"}}));
  EXPECT_EQ(FocusedRow(list), 2);
  EXPECT_EQ(history.SortedColumn(), 0);
  EXPECT_EQ(history.SortedDirection(), 1);

  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Rows(), (std::vector<Texts>{{"c"}, {"a"}, {"b"}}));
  EXPECT_EQ(FocusedRow(list), 0);
  EXPECT_EQ(ColumnSortDirection(list, 0), 0);
  EXPECT_EQ(history.SortedColumn(), -1);
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Rows(), (std::vector<Texts>{{"a"}, {"b"}, {"c"}}));
  EXPECT_EQ(ColumnSortDirection(list, 0), 1);
  EXPECT_EQ(history.SortedColumn(), 0);

  // A change after the sort leaves the rows sorted by nothing known.
  history.RecordRowDeleting(0);
  SelectWordRow(list, 0, true);
  DeleteSelectedWordRow(list);
  EXPECT_EQ(history.SortedColumn(), -1);
}

TEST_F(EditHistoryTest, NewChangeEndsTheUndoneSteps) {
  for (const char* word : {"a", "b", "c"}) {
    StepMark mark = history.Mark();
    Append({{word}});
    history.RecordRowsInserted(std::move(mark), RowCount(list) - 1, 1);
  }
  ASSERT_TRUE(history.Undo());
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(history.RedoCount(), 2u);
  StepMark mark = history.Mark();
  Append({{"d"}});
  history.RecordRowsInserted(std::move(mark), 1, 1);
  EXPECT_EQ(history.RedoCount(), 0u);
  EXPECT_FALSE(history.Redo());
  EXPECT_EQ(Rows(), (std::vector<Texts>{{"a"}, {"d"}}));
  ASSERT_TRUE(history.Undo());
  ASSERT_TRUE(history.Undo());
  EXPECT_TRUE(Rows().empty());
  EXPECT_FALSE(history.Undo());
}

// Undo and redo give the rows back exactly, and with them the table's
// revision of that moment, so that what was found in those rows (the rows
// needing attention) holds again; any other change, and any other table's
// rows, have a revision of their own.
TEST_F(EditHistoryTest, StepsGiveBackTheRevisionOfTheirRows) {
  const std::vector<std::pair<const char*, std::function<void()>>> steps = {
      {"insert", [&] {
         StepMark mark = history.Mark();
         Append({{"d"}});
         history.RecordRowsInserted(std::move(mark), 3, 1);
       }},
      {"delete", [&] {
         history.RecordRowDeleting(1);
         Select({1}, 1);
         DeleteSelectedWordRow(list);
       }},
      {"change", [&] {
         history.RecordRowsChanging({0});
         SetWordRow(list, 0, TestEntry("z", "", ""));
       }},
      {"exchange", [&] {
         WordList texts = CreateWordTable();
         Append({{"y"}}, texts);
         ASSERT_TRUE(history.ChangeRows(history.Mark(), {2}, texts));
       }},
      {"replace", [&] {
         WordList fresh = CreateWordTable();
         Append({{"x"}}, fresh);
         history.ReplaceRows(history.Mark(), fresh);
       }},
      {"sort", [&] {
         StepMark mark = history.Mark();
         std::vector<uint32_t> order;
         SortWordList(list, 0, order);
         history.RecordRowsSorted(std::move(mark), order, 0, 0);
       }},
  };
  for (const auto& [name, step] : steps) {
    SCOPED_TRACE(name);
    ClearWordList(list);
    Append({{"c"}, {"a"}, {"b"}});
    const uint64_t before = WordTableRevision(list);
    step();
    const uint64_t after = WordTableRevision(list);
    EXPECT_NE(after, before);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(WordTableRevision(list), before);
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(WordTableRevision(list), after);
    ASSERT_TRUE(history.Undo());
    SetWordRow(list, 0, TestEntry("w", "", ""));
    EXPECT_NE(WordTableRevision(list), before);
    EXPECT_NE(WordTableRevision(list), after);
  }
  // Two tables of the same rows are still two: rows that pass to another
  // table take their revision along, the other table gets one of its own.
  WordList other = CreateWordTable();
  Append({{"w"}, {"a"}, {"b"}}, other);
  const uint64_t mine = WordTableRevision(list), theirs = WordTableRevision(other);
  EXPECT_NE(mine, theirs);
  SwapWordRows(list, other);
  EXPECT_EQ(WordTableRevision(list), theirs);
  EXPECT_EQ(WordTableRevision(other), mine);
  DestroyWordTable(other);
}

// Whatever bytes a row holds come back unchanged: 255-byte fields, control
// characters, a trail byte that looks like ASCII.
TEST_F(EditHistoryTest, RowsComeBackByteForByte) {
  const Texts odd = {std::string(127, '\x82') + "\xA0" + std::string(127, 'w'), "\t\x01?\x8B\x40",
                     std::string(255, 'z')};
  Append({odd, {"b"}});
  history.RecordRowDeleting(0);
  SelectWordRow(list, 0, true);
  DeleteSelectedWordRow(list);
  history.RecordRowsChanging({0});
  SetWordRow(list, 0, TestEntry(odd.word, odd.reading, odd.baseform));
  ASSERT_TRUE(history.Undo());
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Rows(), (std::vector<Texts>{odd, {"b"}}));
}

TEST(RowStatesTest, RunsOfSelectedRows) {
  WordList list = CreateWordTable();
  for (int i = 0; i < 6; ++i) InsertWordRow(list, i, WordEntry{});
  for (int row : {0, 1, 2, 4}) SelectWordRow(list, row, true);
  FocusWordRow(list, 4);
  const RowStates states = SaveRowStates(list);
  EXPECT_EQ(states.selected, (std::vector<std::pair<int, int>>{{0, 2}, {4, 4}}));
  EXPECT_EQ(states.focused, 4);
  DeselectAllWordRows(list);
  EXPECT_EQ(FirstSelectedRow(list), -1);
  EXPECT_EQ(FocusedRow(list), -1);
  RestoreRowStates(list, states);
  EXPECT_EQ(SaveRowStates(list).selected, states.selected);
  DestroyWordTable(list);
}

}  // namespace
