#pragma once
// The open-file dialogs of the three importers, and the buffers they fill.
// Each dialog proposes the path its buffer holds, writes the chosen file's
// path and name into its buffers, and then reads the file into the list.
// Each returns -1 when the user cancelled (or the dialog failed), 0 when the
// chosen file could not be read, 1 when it was read.

#include <windows.h>
#include <commdlg.h>

#include <cstddef>

#include "wordlist/word_list.h"

inline constexpr size_t kFilePathSize = MAX_PATH;  // 259 bytes of path and the NUL
inline constexpr size_t kFileTitleSize = 64;       // the file's name without its folder

// The current file: the text word list last opened (its path is in the
// window title). The text word-list and grammar-file dialogs use these
// buffers; the commands that only read a further file save and restore them.
extern char CurrentFilePath[kFilePathSize];
extern char CurrentFileTitle[kFileTitleSize];

// The pool file last chosen; only the pool-file dialog uses them.
extern char PoolFilePath[kFilePathSize];
extern char PoolFileTitle[kFileTitleSize];

// The file types of the dialogs that open and save text word lists and pool
// files: the format's own type first, in force, then every file.
inline constexpr char kTextWordListFilter[] = "text(*.txt)\0*.txt\0All files(*.*)\0*.*\0";
inline constexpr char kPoolFileFilter[] = "ppl(*.ppl)\0*.ppl\0All files(*.*)\0*.*\0";

// The request the open and the save dialogs fill alike: `filter` and
// `defaultExtension` name the kind of file; `path` is the file buffer,
// proposed as it stands and written with the chosen path, and `title` the
// file-title buffer, written with the chosen file's name. The dialog's own
// title and flags are left to the caller.
OPENFILENAMEA FileDialogRequest(HWND owner, const char* filter, const char* defaultExtension,
                                char (&path)[kFilePathSize], char (&title)[kFileTitleSize]);

// A text word list (*.txt), read behind the list's rows when `append` is set,
// otherwise in place of them.
int OpenTextWordListDialog(HWND owner, WordList list, bool append);

// A grammar file (*.fsg): its words are appended.
int OpenGrammarFileDialog(HWND owner, WordList list);

// A pool file (*.ppl): its rows are appended.
int OpenPoolFileDialog(HWND owner, WordList list);
