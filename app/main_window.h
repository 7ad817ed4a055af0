#pragma once
// The program's start and its one top-level window, class "MainWindow",
// whose client area the word list fills.

#include <windows.h>

// Registers the window class; false when it cannot be registered.
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window with the untitled title; its word list is created,
// set up and given the focus while it is created. The window is not shown
// yet. Returns nullptr when the window or its list cannot be made.
HWND CreateMainWindow(HINSTANCE instance);

// Loads the text word list named on the command line in place of the rows.
// When it was read, the path as given becomes the current file and the
// title; otherwise the load-failure message is shown and nothing changes.
// The path is code page 932; one of 260 bytes or more does not fit the
// current file's buffer: it counts as a file that cannot be read. The UTF-16
// form takes the path as the system gives it, and refuses, with the message
// that says so, a name code page 932 cannot hold.
void OpenCommandLineFile(HWND main, const char* path);
void OpenCommandLineFile(HWND main, const wchar_t* path);

// The whole program: registers the class, creates and shows the main window
// (`show` as the process was started), loads `file` (the command line's
// first argument, nullptr without one), and runs the message loop with
// accelerator table 103 until the window is destroyed. Returns the exit
// code: 0 after a normal end and when the class cannot be registered, 1 when
// the window cannot be created.
int RunLexiforge(HINSTANCE instance, int show, const wchar_t* file);
