#pragma once
// The program's texts and message boxes. Every text it shows besides its
// menus and dialogs is an entry of the resource script's string table, and
// every message box carries the program's name as its caption.

#include <windows.h>

#include <string>

inline constexpr char kProgramCaption[] = "Corvane Lexiforge";

// Text `id` of the program's string table in code page 932; empty when there
// is none.
std::string ProgramText(UINT id);

// Shows `text` (ShowProgramMessage: text `id` of the string table) in a modal message box
// owned by `owner`. `type` gives the buttons and the icon: MB_ICONERROR for a
// failure (OK button), MB_YESNO | MB_ICONQUESTION for a question. Returns the
// button pressed (IDOK, IDYES, IDNO), or 0 when the box could not be shown.
int ShowMessage(HWND owner, const char* text, UINT type);
int ShowProgramMessage(HWND owner, UINT id, UINT type);
