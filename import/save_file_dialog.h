#pragma once
// The save-file dialog of Save As and Build pool. It only chooses the file;
// the caller writes it.

#include <windows.h>

#include "import/open_file_dialog.h"
#include "import/word_file_writer.h"

// Shows the save-file dialog for a file of `format` (a text word list, *.txt,
// or a pool file, *.ppl; the extension is added to a name typed without
// one). It proposes the path `path` holds and asks before an existing file
// is overwritten. Returns true when the user chose a file: its full path is
// then in `path` and its name in `title`. Returns false when the user
// cancelled (or the dialog failed); the buffers are then as they were.
bool ChooseFileToWrite(HWND owner, WordFileFormat format, char (&path)[kFilePathSize],
                       char (&title)[kFileTitleSize]);
