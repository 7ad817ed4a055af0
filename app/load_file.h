#pragma once
// The one way files come into the window: Open, the three reads, dropped
// files and the command line all read through LoadFile, which picks the
// reader from the format table (files/file_formats.h).

#include <windows.h>

#include "app/current_file.h"
#include "files/file_formats.h"
#include "files/input_file.h"

enum class LoadMode {
  kAppend,  // behind the rows (the reads, dropped files); the caller makes it a step
  kOpen,    // in place of the rows, one step to undo; the file becomes the current file
  kStart,   // in place of the rows as the program starts (the command line), no step;
            // the file becomes the current file
};

// Reads the file at `path` as a file of `format` into the main window's
// rows. For kOpen and kStart, `named` (the file at `path`) becomes the
// current file. The rows, the current file and the title change only when
// the whole file was read. Returns why the file could not be read; the
// caller tells the user.
LoadResult LoadFile(HWND main, const char* path, WordFileFormat format, LoadMode mode, const FileName* named = nullptr);

// Where a file named by the program is read: its full path, or its path
// when it has none.
inline const char* PathToRead(const FileName& file) { return file.fullPath[0] != '\0' ? file.fullPath : file.path; }
