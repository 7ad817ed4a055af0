// What the main window shows about its rows besides the rows: the status
// bar, the undo and redo items of the 編集 menu, the sorted column's header
// mark, a long step's progress and Esc, and the baseform box's font.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/step_progress.h"
#include "res/resource_ids.h"
#include "tests/app/main_window_fixture.h"

namespace {

class StatusTest : public MainWindowTest {
 protected:
  std::string StatusText(int part) const {
    wchar_t text[256] = {};
    SendMessageW(GetDlgItem(main_, IDC_STATUS_BAR), SB_GETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text));
    return Sjis(text);
  }

  // The text and state of a 編集 item as the menu shows it when it opens.
  std::pair<std::string, bool> EditItem(UINT command) const {
    HMENU edit = GetSubMenu(GetMenu(main_), 1);
    SendMessageW(main_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    wchar_t text[128] = {};
    GetMenuStringW(edit, command, text, static_cast<int>(std::size(text)), MF_BYCOMMAND);
    return {Sjis(text), !(GetMenuState(edit, command, MF_BYCOMMAND) & MF_GRAYED)};
  }

  int SortMarks(int column) const {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
  }
};

TEST_F(StatusTest, RowCountsFollowEachCommand) {
  const std::string file = files_.Write("w.txt", "a\tあ\nb\nb\n");
  CommandWithDialogs(IDM_OPEN, {ChooseFile(file)});
  EXPECT_EQ(StatusText(0), "3行");
  EXPECT_EQ(StatusText(1), "要確認 2行");  // two rows without a reading, the second also a duplicate
  Select({2});
  Command(IDM_DELETE);
  EXPECT_EQ(StatusText(0), "2行");
  EXPECT_EQ(StatusText(1), "要確認 1行");
  Command(IDM_UNDO);
  EXPECT_EQ(StatusText(0), "3行");
  EXPECT_EQ(StatusText(1), "要確認 2行");
}

TEST_F(StatusTest, UndoAndRedoNameTheirStepAndAreGreyedWithoutOne) {
  EXPECT_EQ(EditItem(IDM_UNDO), std::pair(std::string("元に戻す(&U)\tCtrl+Z"), false));
  EXPECT_EQ(EditItem(IDM_REDO), std::pair(std::string("やり直し(&O)\tCtrl+Y"), false));
  Append({{"a"}, {"b"}});
  Select({0});
  Command(IDM_DELETE);
  EXPECT_EQ(EditItem(IDM_UNDO), std::pair(std::string("元に戻す(&U): 削除\tCtrl+Z"), true));
  EXPECT_EQ(EditItem(IDM_REDO).second, false);
  ClickColumn(0);
  EXPECT_EQ(EditItem(IDM_UNDO).first, "元に戻す(&U): 並べ替え\tCtrl+Z");
  Command(IDM_UNDO);
  Command(IDM_UNDO);
  EXPECT_EQ(EditItem(IDM_UNDO).second, false);
  EXPECT_EQ(EditItem(IDM_REDO), std::pair(std::string("やり直し(&O): 削除\tCtrl+Y"), true));
}

// Far down a long list, the row a redo changed is brought into view.
TEST_F(StatusTest, RedoShowsTheRowItChanged) {
  std::vector<Row> rows;
  for (int i = 0; i < 500; ++i) {
    char word[16];
    std::snprintf(word, sizeof word, "w%d", i);
    rows.push_back({word});
  }
  Append(rows);
  Select({450});
  Command(IDM_DELETE);
  Command(IDM_UNDO);
  SendMessageA(list_, LVM_ENSUREVISIBLE, 0, FALSE);
  Command(IDM_REDO);
  EXPECT_EQ(FocusedRow(list()), 450);
  const auto top = static_cast<int>(SendMessageA(list_, LVM_GETTOPINDEX, 0, 0));
  const auto shown = static_cast<int>(SendMessageA(list_, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_LE(top, 450);
  EXPECT_GE(top + shown, 450);
}

TEST_F(StatusTest, OnlyTheSortedColumnShowsItsDirection) {
  Append({{"b", "1"}, {"a", "2"}});
  EXPECT_EQ(SortMarks(0) | SortMarks(1) | SortMarks(2), 0);
  ClickColumn(1);
  EXPECT_EQ(SortMarks(1), HDF_SORTUP);
  ClickColumn(1);
  EXPECT_EQ(SortMarks(1), HDF_SORTDOWN);
  ClickColumn(0);
  EXPECT_EQ(SortMarks(0), HDF_SORTUP);
  EXPECT_EQ(SortMarks(1), 0);
  Command(IDM_UNDO);
  EXPECT_EQ(SortMarks(0), 0);
  EXPECT_EQ(SortMarks(1), HDF_SORTDOWN);
  Select({0});
  Command(IDM_DELETE);  // the rows are no longer known to be in order
  EXPECT_EQ(SortMarks(1), 0);
}

// A step shows nothing in its first half second; after that its progress,
// and Esc stops it. Other keys are not handed to the window meanwhile.
TEST_F(StatusTest, ALongStepShowsItsProgressAndStopsOnEsc) {
  Append({{"a"}});
  {
    StepProgress progress(main_, IDS_PROGRESS_FILL, 200);
    EXPECT_TRUE(progress.Continue(10));
    EXPECT_EQ(StatusText(2), "");
    Sleep(600);
    PostMessageA(list_, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_TRUE(progress.Continue(100));
    EXPECT_EQ(StatusText(2), "よみを補完しています… 50%（Escで中止）");
    Sleep(50);
    PostMessageA(list_, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(progress.Continue(150));
    EXPECT_FALSE(progress.Continue(160));
  }
  EXPECT_EQ(StatusText(2), "中止しました");
  EXPECT_EQ(Words(), std::vector<std::string>{"a"}) << "the Del key was dropped";
}

TEST_F(StatusTest, TheBaseformBoxHasTheListsFixedPitchFont) {
  Append({{"a"}});
  Select({0});
  LOGFONTW font{};
  CommandWithDialogs(IDM_MODIFY, {[&](HWND dialog) {
                       const auto handle = reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, IDC_BASEFORM_BOX, WM_GETFONT, 0, 0));
                       GetObjectW(handle, sizeof font, &font);
                       Press(dialog, IDCANCEL);
                     }});
  EXPECT_EQ(Sjis(font.lfFaceName), "ＭＳ ゴシック");
  EXPECT_EQ(font.lfPitchAndFamily & 3, FIXED_PITCH);
}

}  // namespace
