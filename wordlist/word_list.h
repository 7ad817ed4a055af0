#pragma once
// The word list: the one table of rows (word, reading, baseform) and its
// operations. The table holds every row's bytes exactly as they were given
// (each text up to 255 bytes), packed, in the program and in lexiforge-cli
// alike; the program's list control only shows it (app/word_list_view.h).
//
// Rows are numbered by position from 0 to RowCount() - 1. Any number of rows
// can be selected; at most one holds the focus. A new row is neither selected
// nor focused; states travel with their rows through inserts, deletions and
// sorts; when the focused row is deleted, the focus passes to the row that
// takes its place (the new last row when it was the last), and nothing holds
// it once the list is empty. Only memory can fail: the operations that
// return a result (CreateWordTable, InsertWordRow and the moves, exchanges and
// reorders below) say whether they found it; the others then change nothing
// (SetWordRow) or only the sort direction (SortWordList).

#include <cstdint>
#include <string_view>
#include <vector>

#include "wordlist/word_entry.h"

inline constexpr int kWordColumns = 3;  // word, reading, baseform

struct WordTable;
using WordList = WordTable*;

// An empty table, or nullptr when there is no memory for it.
WordList CreateWordTable();
// Frees the table and its rows; nullptr is allowed.
void DestroyWordTable(WordList list);

// Inserts a row holding the entry's three texts at `index` (0 to RowCount();
// an index past the end appends, a negative one inserts nothing); the rows
// from there on move down by one. A field is taken up to its NUL, at most 255
// bytes, cut at a whole character. Returns false, changing nothing, when there
// is no memory for the row (or the index is negative).
bool InsertWordRow(WordList list, int index, const WordEntry& entry);

// Replaces the three texts of the row at `index`; nothing when there is no
// such row, or no memory for the new texts.
void SetWordRow(WordList list, int index, const WordEntry& entry);

// Zero-fills `entry`, then copies each text of the row at `index` into it, at
// most 127 bytes of each (the entry dialog's limit), never ending in half a
// double-byte character. No such row: the entry stays zero-filled.
void GetWordRow(WordList list, int index, WordEntry& entry);

// Like GetWordRow, but each text whole (up to 255 bytes): for writing rows
// to files, where the entry dialog's cut would lose text.
void GetWholeWordRow(WordList list, int index, WordEntry& entry);

// One text of a row as the table holds it (column 0 word, 1 reading, 2
// baseform), valid until the table next changes; empty for no such row or
// column.
std::string_view WordRowText(WordList list, int index, int column);

// The three texts of a row at once, as WordRowText gives them.
void WordRowTexts(WordList list, int index, std::string_view (&texts)[kWordColumns]);

int RowCount(WordList list);

// A number that changes whenever the rows, their texts or their order change
// (not their selection or focus), for those that keep what they found in
// the rows until the rows change. No two tables' rows share a revision
// unless they are the same rows: rows that pass to another table (swapped,
// appended to an empty one) take their revision with them.
uint64_t WordTableRevision(WordList list);

// For the edit history, which puts rows back exactly as they were when the
// table had `revision`: the table takes that revision again, so that what
// was found in those rows holds again.
void RestoreWordTableRevision(WordList list, uint64_t revision);

// The bytes the table takes: its rows and the blocks of its texts.
size_t WordTableMemory(WordList list);

// Appends a row of the three texts, each cut as InsertWordRow cuts a field
// (at its first NUL, at most 255 bytes, at a whole character);
// for building a table of many rows without a 768-byte entry for each.
// False, changing nothing, when there is no memory.
bool AppendWordRowTexts(WordList list, const std::string_view (&texts)[kWordColumns]);

// The lowest index of a selected row, or -1 when none is selected.
int FirstSelectedRow(WordList list);

// The row that holds the focus, or -1.
int FocusedRow(WordList list);

// Deletes the row FirstSelectedRow() names; nothing when it is -1.
void DeleteSelectedWordRow(WordList list);

// Deletes every row. The sort directions are kept.
void ClearWordList(WordList list);

// `list` takes the rows of `other`, and `other` the rows `list` had (a file
// read in replace mode goes into a fresh table first, so that a file that
// cannot be read to its end leaves the rows as they were). Afterwards no row
// of either is selected or focused.
void SwapWordRows(WordList list, WordList other);

// Moves every row of `other` behind the rows of `list`, texts and all,
// without copying them; `other` is left empty. The rows come unselected and
// unfocused. Returns false, changing neither table, when there is no memory
// for the move.
bool AppendWordRows(WordList list, WordList other);

// The focused row becomes selected and focused; when no row holds the focus,
// every row becomes selected.
void ReselectFocusedRow(WordList list);

// Flips the column's direction (never sorted or descending: ascending;
// ascending: descending) and orders the rows by CompareWordRows. Rows that
// compare equal keep their order. A column outside 0 to 2 changes nothing;
// without the memory to sort, only the direction flips.
void SortWordList(WordList list, int column);

// The order of two texts of a column sorted in `direction` (a column never
// sorted counts as descending): -1, 0 or 1. Only the first 29 bytes of each
// text count (cut at a whole character), compared as unsigned bytes.
int CompareWordRows(std::string_view text1, std::string_view text2, int32_t direction);

// The table keeps each column's sort direction: 0 never sorted, 1 last
// sorted ascending, 2 descending. Emptying the table or swapping its rows
// for another's does not reset them. A column outside 0 to 2 reads as never
// sorted and cannot be set.
int32_t ColumnSortDirection(WordList list, int column);
void SetColumnSortDirection(WordList list, int column, int32_t direction);

// What a user's click does, for lexiforge-cli and the tests (in the program
// the list control takes the clicks). Nothing happens for an index that holds
// no row.
void SelectWordRow(WordList list, int index, bool selected);
bool IsWordRowSelected(WordList list, int index);
// The row at `index` takes the focus from whichever row held it; -1 leaves no
// row holding it.
void FocusWordRow(WordList list, int index);

// Row states, as a view keeps them.
inline constexpr unsigned kRowSelected = 1;
inline constexpr unsigned kRowFocused = 2;

// A window that shows a table. While one is attached, the view keeps the
// rows' selection and focus (the user changes them there), and the table
// tells it of every change to its rows, so that it shows them and keeps the
// states with their rows by the rules above.
class WordListView {
 public:
  // A row was inserted at `index`.
  virtual void RowInserted(int index) = 0;
  // The row at `index` was deleted.
  virtual void RowDeleted(int index) = 0;
  // The texts of the row at `index` changed.
  virtual void RowChanged(int index) = 0;
  // The texts of many rows changed at once (the rows themselves stayed).
  virtual void RowTextsChanged() = 0;
  // Every row is new (cleared, or swapped for another table's): no state.
  virtual void RowsReplaced() = 0;
  // Rows were appended from `first` on; they have no state.
  virtual void RowsAppended(int first) = 0;
  // The rows were reordered: the row now at i was at order[i].
  virtual void RowsReordered(const std::vector<uint32_t>& order) = 0;
  // The first row after `after` (-1: from the start) that has every state of
  // `state`, or -1.
  virtual int NextRowInState(int after, unsigned state) = 0;
  // Sets the states of `mask` to those of `state` on the row at `index`, or
  // on every row for -1.
  virtual void SetRowState(int index, unsigned state, unsigned mask) = 0;

 protected:
  ~WordListView() = default;
};

// Attaches `view` (nullptr detaches it). The rows' states are not carried
// across: attach a view to an empty table.
void AttachWordListView(WordList list, WordListView* view);

// The bulk operations below serve the edit history: each leaves no row of
// the tables it changes selected or focused (an attached view hears
// RowsReplaced), as the history puts the states back itself.

// The first selected row after `after` (-1: from the start), or -1.
int NextSelectedRow(WordList list, int after);

// No row selected, none focused.
void DeselectAllWordRows(WordList list);

// Moves the `count` rows from `first` of `from` to `to`, inserted at `at`
// (past the end appends). False, changing neither table, when the range
// does not lie in `from`, when `from` and `to` are the same table, or when
// there is no memory for the rows in `to`.
bool MoveWordRows(WordList from, int first, int count, WordList to, int at);

// The row at `index` of `list` and the row at `otherIndex` of `other`
// exchange their texts (the same table is allowed). False, changing
// nothing, when either row is missing or there is no memory.
bool ExchangeWordRowTexts(WordList list, int index, WordList other, int otherIndex);

// Columns as the bits of a set (bit c for column c).
inline constexpr unsigned ColumnBit(int column) { return 1u << column; }
inline constexpr unsigned kAllColumns = ColumnBit(0) | ColumnBit(1) | ColumnBit(2);

// In one pass, row rows[i] of `list` and row i of `other` exchange their
// texts of the `columns`, for every i; the texts of the other columns stay
// with their rows in both tables. An attached view hears RowTextsChanged
// once. `other` must have as many rows as `rows` names, `rows` only rows of
// `list`, and the tables must differ; otherwise, or without the memory,
// nothing changes and the result is false. The rows' states stay.
bool ExchangeWordRowTexts(WordList list, const std::vector<uint32_t>& rows, WordList other,
                          unsigned columns = kAllColumns);

// Puts the rows in the order `order` gives: the row now at i is the one
// that was at order[i]. `order` must name every row once; otherwise, or
// without the memory, nothing changes and the result is false. Unlike the
// operations above, the states travel with their rows.
bool ReorderWordRows(WordList list, const std::vector<uint32_t>& order);

// SortWordList, which also tells how the rows moved (as for
// ReorderWordRows; empty when they could not be sorted).
void SortWordList(WordList list, int column, std::vector<uint32_t>& order);
