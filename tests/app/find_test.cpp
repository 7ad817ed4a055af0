// Find, F3 and F8 in the real main window: the row found becomes the only
// selected row, focused, and the keyboard focus stays in the list.

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/app/main_window_fixture.h"

namespace {

class FindTest : public MainWindowTest {
 protected:
  // A step that fills in the find dialog and presses "検索".
  static DialogStep FindIn(std::string text, int columnButton, bool whole) {
    return [text, columnButton, whole](HWND dialog) {
      EXPECT_EQ(DialogText(dialog), "検索");
      SetDlgItemTextA(dialog, IDC_FIND_TEXT, text.c_str());
      CheckRadioButton(dialog, IDC_FIND_ALL_COLUMNS, IDC_FIND_BASEFORM, columnButton);
      CheckRadioButton(dialog, IDC_FIND_WHOLE, IDC_FIND_PART, whole ? IDC_FIND_WHOLE : IDC_FIND_PART);
      Press(dialog, IDOK);
    };
  }

  std::vector<int> Selected() const {
    std::vector<int> rows;
    for (int row = FirstSelectedRow(list()); row >= 0; row = NextSelectedRow(list(), row)) rows.push_back(row);
    return rows;
  }

  // Only `row` selected and focused, and the keyboard focus in the list.
  void ExpectOnly(int row) {
    EXPECT_EQ(Selected(), std::vector<int>{row});
    EXPECT_EQ(FocusedRow(list()), row);
    EXPECT_EQ(GetFocus(), list_);
  }
};

TEST_F(FindTest, EachColumnAndEachMatch) {
  Append({{"kyou", "きょう", "ky o o"}, {"ky", "きょ", "ky o"}, {"x", "ky", ""}, {"y", "", "a ky"}});
  SetFocus(main_);
  CommandWithDialogs(IDM_FIND, {FindIn("ky", IDC_FIND_ALL_COLUMNS, true)});
  ExpectOnly(1);
  CommandWithDialogs(IDM_FIND, {FindIn("ky", IDC_FIND_READING, true)});
  ExpectOnly(2);
  CommandWithDialogs(IDM_FIND, {FindIn("ky", IDC_FIND_BASEFORM, false)});
  ExpectOnly(3);
  CommandWithDialogs(IDM_FIND, {FindIn("きょ", IDC_FIND_READING, false)});
  ExpectOnly(0);
  CommandWithDialogs(IDM_FIND, {FindIn("ky o", IDC_FIND_WORD, false),  // no word holds it
                                ExpectMessage("「ky o」は見つかりませんでした", MB_ICONINFORMATION, IDOK)});
  ExpectOnly(0);
}

TEST_F(FindTest, TheDialogProposesTheLastSearchAndCancelChangesNothing) {
  Append({{"a"}, {"b"}});
  CommandWithDialogs(IDM_FIND, {FindIn("b", IDC_FIND_WORD, true)});
  ExpectOnly(1);
  CommandWithDialogs(IDM_FIND, {[](HWND dialog) {
                       EXPECT_EQ(DialogText(dialog, IDC_FIND_TEXT), "b");
                       EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_WORD), BST_CHECKED);
                       EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_WHOLE), BST_CHECKED);
                       SetDlgItemTextA(dialog, IDC_FIND_TEXT, "a");
                       Press(dialog, IDCANCEL);
                     }});
  ExpectOnly(1);
  Command(IDM_FIND_NEXT);  // still "b": the only match is the row itself
  ExpectOnly(1);
}

// How a search matches and wraps is the document's (tests/wordlist); here
// the keys that repeat it.
TEST_F(FindTest, F3BeforeAnySearchOpensTheDialogThenF3AndShiftF3Repeat) {
  Append({{"k1"}, {"x"}, {"k2"}, {"y"}, {"k3"}});
  CommandWithDialogs(IDM_FIND_NEXT, {FindIn("k", IDC_FIND_WORD, false)});
  ExpectOnly(0);  // no focused row: from the start
  Command(IDM_FIND_NEXT);
  ExpectOnly(2);
  Command(IDM_FIND_PREVIOUS);
  ExpectOnly(0);
  Command(IDM_FIND_PREVIOUS);
  ExpectOnly(4);  // around once
}

TEST_F(FindTest, F8VisitsEachKindOfRowThatNeedsAttention) {
  Append({
      {"ok", "きょう", "ky o o"},  // 0
      {"star", "ほし", "h o *"},    // 1 "*" in the baseform
      {"ok", "きょう", "ky o o"},  // 2 the word and reading of row 0
      {"noreading"},                 // 3 a word without a reading
      {"ramen", "らーめん", "r a: m e N"},  // 4 "N" has no pool code: Build pool leaves the row out
      {"nobase", "あ"},              // 5 a reading without a baseform
      {"kata", "カ", "k a"},         // 6 a reading that is not hiragana
  });
  SetFocus(main_);
  std::vector<int> visited;
  for (int i = 0; i < 7; ++i) {
    Command(IDM_NEXT_ATTENTION);
    visited.push_back(FocusedRow(list()));
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4, 5, 6, 1}));
  ExpectOnly(1);
  Command(IDM_PREVIOUS_ATTENTION);
  ExpectOnly(6);
}

TEST_F(FindTest, NoRowNeedsAttention) {
  Append({{"a", "あ", "a"}, {"b", "び", "b i"}});
  Select({1});
  FocusWordRow(list(), 1);
  CommandWithDialogs(IDM_NEXT_ATTENTION, {ExpectMessage("要確認の行はありません", MB_ICONINFORMATION, IDOK)});
  ExpectOnly(1);
  CommandWithDialogs(IDM_PREVIOUS_ATTENTION, {ExpectMessage("要確認の行はありません", MB_ICONINFORMATION, IDOK)});
}

}  // namespace
