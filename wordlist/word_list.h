#pragma once
// The word list: the one table of rows (word, reading, baseform) and its
// operations. Two backends define these functions: the list-view control of
// the Windows program (word_list_view.cpp) and an in-memory table for the
// command-line tool and the tests (memory_word_list.cpp). A program links
// exactly one of them, so the importers and everything else built on these
// operations is the same source on both.
//
// Rows are numbered by position from 0 to RowCount() - 1. Any number of rows
// can be selected; at most one holds the focus. No operation reports errors.

#include <cstdint>

#include "wordlist/word_entry.h"

// The list: on Windows the list-view window handle, cast; in memory an
// opaque table. Never dereferenced outside its backend.
struct WordListControl;
using WordList = WordListControl*;

// Inserts a row holding the entry's three texts at `index` (0 to RowCount(),
// the row count appends); the rows from there on move down by one. Texts
// longer than 255 bytes are cut at a character boundary.
void InsertWordRow(WordList list, int index, const WordEntry& entry);

// Replaces the three texts of the row at `index`; nothing when there is no
// such row.
void SetWordRow(WordList list, int index, const WordEntry& entry);

// Zero-fills `entry`, then copies each text of the row at `index` into it, at
// most 127 bytes of each (the entry dialog's limit), never ending in half a
// double-byte character. No such row: the entry stays zero-filled.
void GetWordRow(WordList list, int index, WordEntry& entry);

int RowCount(WordList list);

// The lowest index of a selected row, or -1 when none is selected.
int FirstSelectedRow(WordList list);

// The row that holds the focus, or -1.
int FocusedRow(WordList list);

// Deletes the row FirstSelectedRow() names; nothing when it is -1.
void DeleteSelectedWordRow(WordList list);

// Deletes every row. The sort directions are kept.
void ClearWordList(WordList list);

// The focused row becomes selected and focused; when no row holds the focus,
// every row becomes selected.
void ReselectFocusedRow(WordList list);

// Flips the column's direction (never sorted or descending: ascending;
// ascending: descending) and orders the rows by CompareWordRows. Rows that
// compare equal keep their order.
void SortWordList(WordList list, int column);

// The order of two rows, given by their row keys, in `column` for the
// column's current direction: -1, 0 or 1. Only the first 29 bytes of each
// text count, compared as unsigned bytes.
int CompareWordRows(intptr_t key1, intptr_t key2, intptr_t column);

// Per column: 0 never sorted, 1 last sorted ascending, 2 descending. Lives as
// long as the process; emptying the list does not reset it.
extern int32_t ColumnSortDirection[3];

// Like GetWordRow, but each text whole (up to 255 bytes): for writing rows
// to files, where the entry dialog's cut would lose text.
void GetWholeWordRow(WordList list, int index, WordEntry& entry);
