#pragma once
// Find and the rows that need attention: each command makes the row it
// finds the only selected row, focused and scrolled into view. None of them
// moves the keyboard focus (the window procedure gives it to the list).

#include <windows.h>

// Find (Ctrl+F): the find dialog, then the search from the row after the
// focused one. A cancelled dialog changes nothing.
void FindRowCommand(HWND main);

// Find next (F3) and previous (Shift+F3): the last search again from the
// row after (before) the focused one. Before any search, the find dialog.
void FindAgain(HWND main, bool forward);

// Next (F8) and previous (Shift+F8) row that needs attention.
void GoToAttentionRow(HWND main, bool forward);

// Forgets the last search (a new main window starts without one).
void ForgetLastSearch();
