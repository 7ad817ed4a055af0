#pragma once
// The open- and save-file dialogs. They only choose a file, proposing the
// path a record holds; the caller reads or writes it.

#include <windows.h>

#include "app/current_file.h"
#include "files/file_formats.h"

// The open-file dialog for a file of `format`. It proposes the path `file`
// holds. Returns true when the user chose a file: its path, name and full
// path are then in `file`. Returns false when the user cancelled (or the
// dialog failed, or the chosen name cannot be written in code page 932,
// which is said); `file` is then as it was.
bool ChooseFileToRead(HWND owner, WordFileFormat format, FileName& file);

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
