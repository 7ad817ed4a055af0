#pragma once
// The current file: the text word list last opened, whose path names the
// window ("%s - Corvane Lexiforge", or "無題" without one), and the pool file
// last chosen. The file dialogs fill these records.

#include <windows.h>

#include <cstddef>
#include <string_view>

inline constexpr size_t kFilePathSize = MAX_PATH;  // 259 bytes of path and the NUL
inline constexpr size_t kFileTitleSize = 64;       // the file's name without its folder

// A file as the file dialogs give it: its path, proposed by the next dialog,
// and its name.
struct FileName {
  char path[kFilePathSize];
  char title[kFileTitleSize];
};

// The text word list last opened (Open, the command line), emptied by New.
// The dialogs that read a further file use it too; their commands put it back
// afterwards.
extern FileName CurrentFile;
// The pool file last chosen, by the dialogs that read and build pool files.
extern FileName PoolFile;

// Sets the window's title from the current file.
void ShowCurrentFileInTitle(HWND main);

// No current file; the untitled title.
void ForgetCurrentFile(HWND main);

// `file` becomes the current file and names the window.
void MakeFileCurrent(HWND main, const FileName& file);

// The text word list named on the command line, read from `path`, becomes
// the current file with its path as typed and names the window. The path
// must fit the current file path's buffer.
void MakeCommandLineFileCurrent(HWND main, std::string_view path);

// Where Save writes the current file. The command-line file's path stays as
// typed (the title shows it so), but the open-file dialogs move the working
// folder to the folder of the file they chose, after which a relative path
// names a file in another folder: Save writes the command-line file to the
// full path it had when it was read, as long as it is the current file.
const char* CurrentFileToSave();
