#pragma once
// The open- and save-file dialogs. The open dialogs of the three importers
// propose the path their record holds (the current file for text word lists
// and grammar files, the pool file for pool files), write the chosen file's
// path and name into it, and then read the file into the list. Each returns
// -1 when the user cancelled (or the dialog failed, or the chosen name cannot
// be written in code page 932, which is said), 0 when the chosen file could
// not be read, 1 when it was read.

#include <windows.h>

#include "app/current_file.h"
#include "files/file_formats.h"
#include "wordlist/word_list.h"

// A text word list (*.txt), read behind the list's rows when `append` is set,
// otherwise in place of them.
int OpenTextWordListDialog(HWND owner, WordList list, bool append);

// A grammar file (*.fsg): its words are appended.
int OpenGrammarFileDialog(HWND owner, WordList list);

// A pool file (*.ppl): its rows are appended.
int OpenPoolFileDialog(HWND owner, WordList list);

// The save-file dialog of Save As and Build pool, for a file of `format` (the
// extension is added to a name typed without one). It proposes the path
// `file` holds and asks before an existing file is overwritten. Returns true
// when the user chose a file: its full path and name are then in `file`.
// Returns false when the user cancelled (or the dialog failed, or the chosen
// name cannot be written in code page 932, which is said); `file` is then as
// it was. It only chooses; the caller writes.
bool ChooseFileToWrite(HWND owner, WordFileFormat format, FileName& file);

// The save-file dialog of Save As: as ChooseFileToWrite, with the file types
// of a text word list (the first) and of a Julius word dictionary. `format`
// receives the type the user chose; "All files" is a text word list.
bool ChooseFileToSaveAs(HWND owner, FileName& file, WordFileFormat& format);
