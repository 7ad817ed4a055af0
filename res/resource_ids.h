#pragma once
// Resource and control ids, shared by lexiforge.rc and the code. The numbers
// are the program's own: other documents and the users' habits (the
// accelerators) refer to them, so none may change.

// Commands: menu bar 101, context menu 104, accelerators 103.
#define IDM_OPEN 40001
#define IDM_SAVE 40002
#define IDM_SAVE_AS 40003
#define IDM_EXIT 40004
#define IDM_BUILD_POOL 40005
#define IDM_READ_WORD_LIST 40006
#define IDM_ADD 40007
#define IDM_DELETE 40009
#define IDM_MODIFY 40010
#define IDM_ABOUT 40011
#define IDM_READ_GRAMMAR_FILE 40018
#define IDM_NEW 40019
#define IDM_READ_POOL_FILE 40020
#define IDM_FILL_READINGS 40021
#define IDM_UNDO 40022
#define IDM_REDO 40023
#define IDM_FIND 40024
#define IDM_FIND_NEXT 40025
#define IDM_FIND_PREVIOUS 40026
#define IDM_NEXT_ATTENTION 40027
#define IDM_PREVIOUS_ATTENTION 40028
#define IDM_FOLD_KATAKANA 40040

// Menus and accelerators.
#define IDR_MAIN_MENU 101
#define IDR_ACCELERATORS 103
#define IDR_CONTEXT_MENU 104

// Dialogs.
#define IDD_ENTRY 102
#define IDD_ABOUT 105
#define IDD_SAVE_FAILED 108
#define IDD_FIND 109

// Controls: the word list in the main window, the entry dialog's boxes and
// its generate button (its other buttons are IDOK 1 "修正", IDCANCEL 2
// "ｷｬﾝｾﾙ" and 3 "追加").
#define IDC_WORD_LIST 100
// The status bar under the list.
#define IDC_STATUS_BAR 101
#define IDC_WORD_BOX 1000
#define IDC_READING_BOX 1001
#define IDC_BASEFORM_BOX 1002
#define IDC_READING_CHOICES 1003
#define IDC_GENERATE_BASEFORM 1004
#define IDC_ADD_ROW 3
// The save-failure dialog: its icon, the path (a read-only box, so that a
// long path stays on one line and can be copied), what failed and why.
#define IDC_FAILURE_ICON 1100
#define IDC_FAILED_PATH 1101
#define IDC_FAILURE_TEXT 1102
#define IDC_FAILURE_REASON 1103
// The find dialog: the text, the column to look in (すべて, 単語, よみ,
// baseform, in this order of ids) and the match (完全一致, 部分一致).
#define IDC_FIND_TEXT 1200
#define IDC_FIND_ALL_COLUMNS 1201
#define IDC_FIND_WORD 1202
#define IDC_FIND_READING 1203
#define IDC_FIND_BASEFORM 1204
#define IDC_FIND_WHOLE 1205
#define IDC_FIND_PART 1206

// Icons.
#define IDI_PROGRAM 106
#define IDI_PROGRAM_SMALL 107

// Texts of the string table: messages, dialog titles and the list's column
// titles, shown through res/messages.h.
#define IDS_UNTITLED 1
#define IDS_LOAD_FAILED 2
#define IDS_CLOSE_QUESTION 3
#define IDS_SAVE_FAILED 4
#define IDS_LEAVE_OUT_QUESTION 5
#define IDS_WORD_REQUIRED 6
#define IDS_NOT_HIRAGANA 7
#define IDS_UNCONVERTED 8
#define IDS_OPEN_TITLE 9
#define IDS_SAVE_AS_TITLE 10
#define IDS_BUILD_POOL_TITLE 11
#define IDS_WORD_COLUMN 12
#define IDS_READING_COLUMN 13
#define IDS_BASEFORM_COLUMN 14
#define IDS_UNWRITABLE_ROW 15
#define IDS_MORE_UNWRITABLE_ROWS 16
#define IDS_READ_ONLY_FILE 17
#define IDS_NAME_NOT_IN_CODE_PAGE 18
#define IDS_JULIUS_FILE_TYPE 19
// Why a row cannot be written: one text per reason, in the order of
// RowProblem (files/file_formats.h), from kEmptyWord on.
#define IDS_ROW_PROBLEM_FIRST 20
// Find and the rows that need attention. Kinds of attention: one text per
// kind, in the order of Attention (wordlist/row_attention.h).
#define IDS_NOT_FOUND 30
#define IDS_NO_ATTENTION_ROWS 31
#define IDS_ATTENTION_NOTE 32
#define IDS_ATTENTION_COUNT 33
#define IDS_OUT_OF_MEMORY 34
#define IDS_JULIUS_WORD_LIMIT 35
#define IDS_ATTENTION_KIND_FIRST 40
// The reading fill: its result, and the two ways it finds no dictionary.
#define IDS_READINGS_FILLED 50
#define IDS_NO_READING_DICTIONARY 51
#define IDS_READING_DICTIONARY_BROKEN 52
#define IDS_READINGS_NOT_STORED 53
// The status bar: row counts, a long step's progress (a format with %d for
// the percentage) and the note that Esc stopped it.
#define IDS_STATUS_ROWS 60
#define IDS_STATUS_ATTENTION 61
#define IDS_STEP_STOPPED 62
#define IDS_PROGRESS_FILL 63
#define IDS_PROGRESS_READ 64
#define IDS_PROGRESS_SAVE 65
#define IDS_PROGRESS_POOL 66
// Undo and redo in the 編集 menu: without a step, and naming one (%s).
#define IDS_UNDO_ITEM 70
#define IDS_UNDO_NAMED_ITEM 71
#define IDS_REDO_ITEM 72
#define IDS_REDO_NAMED_ITEM 73
// The names of the steps that undo and redo take.
#define IDS_STEP_ADD 80
#define IDS_STEP_MODIFY 81
#define IDS_STEP_DELETE 82
#define IDS_STEP_NEW 83
#define IDS_STEP_OPEN 84
#define IDS_STEP_READ_WORD_LIST 85
#define IDS_STEP_READ_GRAMMAR_FILE 86
#define IDS_STEP_READ_POOL_FILE 87
#define IDS_STEP_DROP 88
#define IDS_STEP_SORT 89
#define IDS_STEP_FILL 90
// Katakana readings folded, a pool built, and characters code page 932
// cannot hold met while reading a UTF-8 word list.
#define IDS_KATAKANA_FOLDED 100
#define IDS_KATAKANA_NOT_STORED 101
#define IDS_POOL_BUILT 102
#define IDS_UNHELD_CHARACTERS 103
// The program's name (the caption of every message box) and the window's
// title, "%s - Corvane Lexiforge" with the current file or "無題".
#define IDS_PROGRAM_NAME 104
#define IDS_TITLE 105
