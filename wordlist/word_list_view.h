#pragma once
// The word list of the Windows program: a list-view control in report view,
// driven through the ANSI messages, is the only store of the rows. A WordList
// here is the control's window handle.

#include <windows.h>

#include "wordlist/word_list.h"

inline WordList AsWordList(HWND list) { return reinterpret_cast<WordList>(list); }
inline HWND ListWindow(WordList list) { return reinterpret_cast<HWND>(list); }

// Creates the list control as child 100 of `parent`: report view, several rows
// selectable, no label editing, no sort style, at 0,0 with size 0 (the
// parent's WM_SIZE gives it its size). Returns the control, or nullptr when
// it cannot be made.
HWND CreateWordList(HWND parent);

// Gives the list its two image lists, its extended styles (grid lines, full
// row select, info tips) and its three columns "単語", "よみ", "baseform".
// The control releases the image lists when it is destroyed: it is made
// without LVS_SHAREIMAGELISTS, so nobody else may release them.
void SetUpWordList(HWND list);

// Runs `work` with the list's painting suspended and repaints it once after.
// A visible list repaints after every inserted row, which makes a large load
// or a sort take minutes instead of a second. Returns what `work` returns.
template <typename Work>
decltype(auto) WithRedrawSuspended(HWND list, Work&& work) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  struct Resume {
    HWND list;
    ~Resume() {
      SendMessageA(list, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(list, nullptr, TRUE);
    }
  } resume{list};
  return work();
}
