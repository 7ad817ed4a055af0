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
// A path of 260 bytes or more does not fit the current file's buffer and no
// ANSI file function takes it: it counts as a file that cannot be read.
void OpenCommandLineFile(HWND main, const char* path);

// The whole program: registers the class, creates and shows the main window
// (`show` as the process was started), loads argv[1] when argc > 1, and runs
// the message loop with accelerator table 103 until the window is destroyed.
// Returns the exit code: 0 after a normal end and when the class cannot be
// registered, 1 when the window cannot be created.
int RunLexiforge(HINSTANCE instance, int show, int argc, char** argv);
