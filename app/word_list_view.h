#pragma once
// The word list of the Windows program: a list-view control in report view
// with the owner-data style, which shows a table (wordlist/word_list.h) and
// holds none of its texts. The control asks for each text it paints; it keeps
// the rows' selection and focus, and the table keeps them in step with its
// rows. The table is made with the control and goes with it.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "wordlist/edit_history.h"
#include "wordlist/row_attention.h"
#include "wordlist/word_list.h"

// Creates the list control as child 100 of `parent` and an empty table for
// it: report view, owner data, several rows selectable, no label editing, at
// 0,0 with size 0 (the parent's WM_SIZE gives it its size). Returns the
// control, or nullptr when it or its table cannot be made.
HWND CreateWordList(HWND parent);

// Gives the list its two image lists, its extended styles (grid lines, full
// row select, info tips) and its three columns "単語", "よみ", "baseform".
// The control releases the image lists when it is destroyed: it is made
// without LVS_SHAREIMAGELISTS, so nobody else may release them.
void SetUpWordList(HWND list);

// The table the list shows; nullptr for a window that is not such a list.
WordList WordTableOf(HWND list);

// The undo history of the list's table, made and gone with it; nullptr for
// a window that is not such a list.
EditHistory* HistoryOf(HWND list);

// The rows of the list's table that need attention, made and gone with it;
// nullptr for a window that is not such a list.
AttentionIndex* AttentionOf(HWND list);

// The list's fixed-pitch font ("ＭＳ ゴシック", 10 points), new for the
// caller, who releases it; nullptr when it cannot be made. The entry
// dialog's baseform box uses it too.
HFONT CreateListFont(HWND window);

// The header of `column` shows the direction (kSortedAscending or
// kSortedDescending) and the other columns none; a column of -1 clears
// every mark.
void ShowSortMark(HWND list, int column, int32_t direction);

// The row takes the focus (the selection stays as it is), becomes the
// anchor of Shift+click and is scrolled into view. Nothing for no such row.
void FocusAndShowRow(HWND list, int row);

// The row becomes the only selected row, focused, the anchor of Shift+click,
// and scrolled into view. Nothing for no such row.
void ShowOnlyRow(HWND list, int row);

// Answers the notifications in which the list asks its parent about the
// table: the texts to paint (LVN_GETDISPINFO) and the row a typed word's
// first characters lead to (LVN_ODFINDITEM). The parent passes every
// notification of the list here first; true when it was answered, with the
// answer in `result`.
bool AnswerWordListQuestion(const NMHDR& header, LRESULT& result);

// While painting is suspended the list neither repaints nor follows the
// table's row count on each row appended: a large load then costs no more
// than its rows. Resuming catches up and repaints once. Calls nest.
void SuspendWordListRedraw(HWND list);
void ResumeWordListRedraw(HWND list);

// Runs `work` with the list's painting suspended. Returns what `work`
// returns.
template <typename Work>
decltype(auto) WithRedrawSuspended(HWND list, Work&& work) {
  SuspendWordListRedraw(list);
  struct Resume {
    HWND list;
    ~Resume() { ResumeWordListRedraw(list); }
  } resume{list};
  return work();
}
