#pragma once
// The current file: the text word list last read in place of the rows (Open,
// the command line) or written by Save As, whose path names the window
// ("%s - Corvane Lexiforge", or "無題" without one); and the pool file last
// chosen. The current file changes only once its file was read or written.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr size_t kFilePathSize = MAX_PATH;  // 259 bytes of path and the NUL
inline constexpr size_t kFileTitleSize = 64;       // the file's name without its folder

// A file as the program names it, in code page 932: its path as the title
// shows it and the next dialog proposes it, its name, and where it is (the
// path made full when the file was chosen or read: a path typed on the
// command line is relative to the folder the program started in, which the
// file dialogs move).
struct FileName {
  char path[kFilePathSize];
  char title[kFileTitleSize];
  char fullPath[kFilePathSize];
};

// The current file; empty (first bytes 0) without one.
extern FileName CurrentFile;
// The pool file last chosen, by the dialogs that read and build pool files.
extern FileName PoolFile;

// Sets the window's title from the current file.
void ShowCurrentFileInTitle(HWND main);

// No current file; the untitled title.
void ForgetCurrentFile(HWND main);

// `file` becomes the current file and names the window.
void MakeFileCurrent(HWND main, const FileName& file);

// The file named on the command line: its path as typed and its full path.
// False when the path does not fit the record's 259 bytes.
bool CommandLineFileName(std::string_view path, FileName& file);

// Where Save writes the current file: its full path.
const char* CurrentFileToSave();

// The current file as the undo history keeps it beside each step that
// changes it, and puts it back (with the title).
std::string CurrentFileContext();
void RestoreCurrentFile(HWND main, std::string_view context);
