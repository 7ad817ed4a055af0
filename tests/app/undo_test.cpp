// Undo and redo of each command that changes rows, in the real main window:
// rows, order, selection, the current file and the title come back byte for
// byte, and the focus goes to the first row the step changed.

#include <windows.h>

#include <string>
#include <vector>

#include "app/current_file.h"
#include "res/resource_ids.h"
#include "tests/app/main_window_fixture.h"
#include "app/entry_dialog.h"

namespace {

// Everything an undo must put back.
struct Snapshot {
  std::vector<Row> rows;
  std::vector<int> selected;
  int focused;
  std::string title;
  std::string path;
  std::string fileTitle;
  bool operator==(const Snapshot&) const = default;
};

class UndoTest : public MainWindowTest {
 protected:
  Snapshot Take() const {
    Snapshot snapshot{Rows(), {}, FocusedRow(list()), Title(), CurrentFile.path, CurrentFile.title};
    for (int row = FirstSelectedRow(list()); row >= 0; row = NextSelectedRow(list(), row)) {
      snapshot.selected.push_back(row);
    }
    return snapshot;
  }

  void SelectAndFocus(std::initializer_list<int> rows, int focused) {
    Select(rows);
    FocusWordRow(list(), focused);
  }

  // `snapshot` with the focus on `row`.
  static Snapshot Focused(Snapshot snapshot, int row) {
    snapshot.focused = row;
    return snapshot;
  }

  // Undoes and redoes the last step, checking both states.
  void ExpectUndoAndRedo(const Snapshot& before, const Snapshot& after) {
    SetFocus(main_);
    Command(IDM_UNDO);
    EXPECT_EQ(Take(), before) << "undo";
    EXPECT_EQ(GetFocus(), list_);
    Command(IDM_REDO);
    EXPECT_EQ(Take(), after) << "redo";
  }

  size_t Steps() const { return HistoryOf(list_)->UndoCount(); }

  void Type(HWND dialog, int box, const std::string& text) { SetItemText(dialog, box, text); }
};

TEST_F(UndoTest, EachAddAndModifyOfTheEntryDialogIsOneStep) {
  Append({{"a"}, {"b"}});
  SelectAndFocus({1}, 1);
  const Snapshot start = Take();
  CommandWithDialogs(IDM_ADD, {[this](HWND dialog) {
                       Type(dialog, IDC_WORD_BOX, "x");
                       Click(dialog, IDC_ADD_ROW);
                       Type(dialog, IDC_WORD_BOX, "y");
                       Click(dialog, IDC_ADD_ROW);
                       Press(dialog, IDCANCEL);
                     }});
  EXPECT_EQ(Words(), (std::vector<std::string>{"a", "x", "y", "b"}));
  EXPECT_EQ(Steps(), 2u);
  const Snapshot added = Take();
  Command(IDM_UNDO);
  EXPECT_EQ(Words(), (std::vector<std::string>{"a", "x", "b"}));
  Command(IDM_UNDO);
  EXPECT_EQ(Take(), start);
  Command(IDM_REDO);
  Command(IDM_REDO);
  EXPECT_EQ(Take(), Focused(added, 2)) << "the row added last";

  SelectAndFocus({0}, 0);
  const Snapshot beforeModify = Take();
  CommandWithDialogs(IDM_MODIFY, {[this](HWND dialog) {
                       Type(dialog, IDC_WORD_BOX, "A");
                       Type(dialog, IDC_READING_BOX, "あ");
                       Press(dialog, IDOK);
                     }});
  EXPECT_EQ(Rows()[0], (Row{"A", "あ", ""}));
  ExpectUndoAndRedo(beforeModify, Take());
}

TEST_F(UndoTest, ACancelledDialogIsNoStep) {
  Append({{"a"}});
  CommandWithDialogs(IDM_ADD, {[](HWND dialog) { Press(dialog, IDCANCEL); }});
  SelectAndFocus({0}, 0);
  CommandWithDialogs(IDM_MODIFY, {[](HWND dialog) { Press(dialog, IDCANCEL); }});
  for (int command : {IDM_OPEN, IDM_READ_WORD_LIST, IDM_READ_GRAMMAR_FILE, IDM_READ_POOL_FILE}) {
    CommandWithDialogs(command, {CancelFileDialog()});
  }
  EXPECT_EQ(Steps(), 0u);
  Command(IDM_UNDO);  // nothing to undo: nothing happens, no message
  EXPECT_EQ(Words(), (std::vector<std::string>{"a"}));
}

TEST_F(UndoTest, DeleteComesBackWithSelectionAndFocus) {
  Append({{"0"}, {"1", "いち", "i ch i"}, {"2"}, {"3"}});
  SelectAndFocus({1, 3}, 3);
  const Snapshot before = Take();
  Command(IDM_DELETE);
  EXPECT_EQ(Words(), (std::vector<std::string>{"0", "2", "3"}));
  ExpectUndoAndRedo(Focused(before, 1), Focused(Take(), 1));
}

TEST_F(UndoTest, NewAndOpenPutBackTheRowsTheFileAndTheTitle) {
  const std::string first = files_.Write("first.txt", "f1\nf2\n");
  const std::string second = files_.Write("second.txt", "s1\n");
  CommandWithDialogs(IDM_OPEN, {ChooseFile(first)});
  const Snapshot opened = Take();
  SelectAndFocus({1}, 1);
  const Snapshot beforeNew = Take();
  Command(IDM_NEW);
  EXPECT_EQ(Title(), kUntitledTitle);
  const Snapshot afterNew = Take();
  ExpectUndoAndRedo(Focused(beforeNew, 0), afterNew);
  Command(IDM_UNDO);
  EXPECT_EQ(Take(), Focused(beforeNew, 0));

  CommandWithDialogs(IDM_OPEN, {ChooseFile(second)});
  EXPECT_EQ(Title(), TitleFor(second));
  const Snapshot afterOpen = Take();
  ExpectUndoAndRedo(Focused(beforeNew, 0), Focused(afterOpen, 0));
  Command(IDM_UNDO);
  Command(IDM_UNDO);  // New was undone before the Open: the first Open is next
  EXPECT_EQ(Title(), kUntitledTitle);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Take(), (Snapshot{{}, {}, -1, kUntitledTitle, "", ""}));
  Command(IDM_REDO);  // the rows, the selection and the file as they were when the Open was undone
  EXPECT_EQ(Take(), Focused(beforeNew, 0));
  EXPECT_EQ(opened.rows, beforeNew.rows);
}

TEST_F(UndoTest, EachReadAndEachDropIsOneStep) {
  const std::string main = files_.Write("main.txt", "main\n");
  CommandWithDialogs(IDM_OPEN, {ChooseFile(main)});
  SelectAndFocus({0}, 0);
  const Snapshot start = Take();
  CommandWithDialogs(IDM_READ_WORD_LIST, {ChooseFile(files_.Write("more.txt", "m1\nm2\n"))});
  CommandWithDialogs(IDM_READ_GRAMMAR_FILE, {ChooseFile(files_.Write("g.fsg", GrammarFile({"g1", "g2"})))});
  CommandWithDialogs(IDM_READ_POOL_FILE, {ChooseFile(files_.Write("p.ppl", PoolFileBytes({"p"})))});
  const Snapshot afterReads = Take();
  SendMessageA(main_, WM_DROPFILES,
               reinterpret_cast<WPARAM>(DropOf({files_.Write("d1.txt", "d1\n"), files_.Write("d2.fsg", GrammarFile({"d2"}))})),
               0);
  EXPECT_EQ(Words(), (std::vector<std::string>{"main", "m1", "m2", "g1", "g2", "p", "d1", "d2"}));
  EXPECT_EQ(Steps(), 5u);  // Open, three reads, one drop
  ExpectUndoAndRedo(Focused(afterReads, 5), Focused(Take(), 6));  // the drop's rows were 6 and 7
  Command(IDM_UNDO);
  Command(IDM_UNDO);
  EXPECT_EQ(Words(), (std::vector<std::string>{"main", "m1", "m2", "g1", "g2"}));
  Command(IDM_UNDO);
  Command(IDM_UNDO);
  EXPECT_EQ(Take(), start);
  EXPECT_STREQ(CurrentFile.path, main.c_str());
}

TEST_F(UndoTest, SortComesBackInItsOrderWithItsDirection) {
  Append({{"c"}, {"a"}, {"b"}});
  SelectAndFocus({0}, 0);
  const Snapshot before = Take();
  ClickColumn(0);
  EXPECT_EQ(Words(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(FocusedRow(list()), 2) << "the focus went with its row";
  const Snapshot after = Take();
  ExpectUndoAndRedo(before, Focused(after, 0));  // row 0 is the first the sort moved
  Command(IDM_UNDO);
  EXPECT_EQ(ColumnSortDirection(list(), 0), 0);
  ClickColumn(0);  // as if the first sort had not been: ascending again
  EXPECT_EQ(Words(), (std::vector<std::string>{"a", "b", "c"}));
}

// A save between a change and its undo: deleting rows did not change the
// file, so their undo does not either. (That a new change ends the undone
// steps is the history's own test.)
TEST_F(UndoTest, SavingKeepsTheSteps) {
  Append({{"a"}, {"b"}, {"c"}});
  for (int i = 0; i < 2; ++i) {
    SelectAndFocus({0}, 0);
    Command(IDM_DELETE);
  }
  const std::string path = files_.PathOf("saved.txt");
  CommandWithDialogs(IDM_SAVE_AS, {ChooseFile(path)});
  Command(IDM_UNDO);
  Command(IDM_UNDO);
  EXPECT_EQ(Words(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Title(), TitleFor(path));
}

}  // namespace
