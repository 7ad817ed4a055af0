#pragma once
// The main window's commands (menu bar, accelerators, context menu) and the
// list's notifications. Each takes the main window; the word list is its
// child IDC_WORD_LIST. None of them moves the keyboard focus: the window
// procedure gives it to the list after each command that asks for it.

#include <windows.h>

#include <functional>
#include <vector>

#include "files/input_file.h"

HWND WordListOf(HWND main);

// "ﾌｧｲﾙを読み込めませんでした" with the error icon.
void ShowLoadFailure(HWND main, const LoadResult& result);

// New: no current file, no rows, the untitled title. Nothing is asked.
void NewWordList(HWND main);

// Open: a text word list in place of the rows; it becomes the current file.
void OpenWordList(HWND main);

// Read word list, Read grammar file, Read pool file: the file's rows are
// appended; the current file and the title stay as they were.
void ReadWordList(HWND main);
void ReadGrammarFile(HWND main);
void ReadPoolFile(HWND main);

// Dropped files: `read` reads them all behind the rows, one step to undo.
void ReadDroppedFiles(HWND main, const std::function<void()>& read);

// Save: the rows written to the current file as a text word list; without a
// current file, Save As.
void SaveWordList(HWND main);

// Save As: the rows written as a text word list to a file the user chooses,
// which becomes the current file (and names the window) once it is written;
// or, when the user chooses that file type, as a Julius word dictionary,
// with the current file and the title as they were.
void SaveWordListAs(HWND main);

// Build pool: the rows written as a pool file the user chooses; the current
// file and the title stay as they were.
void BuildPool(HWND main);

// "カタカナのよみをひらがなに": readings in katakana become hiragana, and
// rows without a baseform get the one made from it (only the selected rows
// when more than one is selected); one step; a message gives the count.
void FoldReadingsToHiragana(HWND main);

// After a text word list was read: when it held characters code page 932
// cannot hold, a message names the lines (their rows hold "〓" and no
// reading). `lines` gathers them over several files.
void ShowUnheldCharacters(HWND main, const std::vector<long>& lines);

// Add: the entry dialog at the first selected row, or at the end when no row
// is selected, with empty boxes.
void AddRow(HWND main);

// The entry dialog on the first selected row (the double click); nothing when
// no row is selected.
void EditSelectedRow(HWND main);

// Modify: EditSelectedRow, then the focused row is selected again.
void ModifyRow(HWND main);

// Delete: the first selected row goes, without a question.
void DeleteRow(HWND main);

// About: dialog 105.
void ShowAbout(HWND main);

// A click on a column header: the column's direction flips and the rows are
// sorted by it.
void SortRows(HWND main, int column);

// Undo (Ctrl+Z) and redo (Ctrl+Y): the last step done is undone, or the last
// undone is done again; nothing when there is none. Every command that
// changes rows is a step: Add and Modify (each "追加" and "修正" of the entry
// dialog), Delete, New, Open, the three reads, dropped files, a sort.
void UndoStep(HWND main, bool undo);

// Before the 編集 menu opens: the texts and states of undo and redo.
void UpdateEditMenu(HWND main, HMENU menu);

// After any command: the row counts of the status bar and the mark of the
// sorted column's header.
void ShowRowsChanged(HWND main);
