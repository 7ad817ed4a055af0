#pragma once
// The program's texts and message boxes. Every text it shows besides its
// menus and dialogs is an entry of the resource script's string table; the
// entries with %s and %d are messages, filled here and nowhere else, with
// their arguments in order. Texts are code page 932 bytes, as every text the
// program holds; they reach the screen in UTF-16 converted from code page
// 932, whatever the system's ANSI code page.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

// One argument of a message: a text (code page 932) for a %s, a number for
// a %d.
struct MessageArgument {
  MessageArgument(std::string_view text) : text(text) {}
  MessageArgument(const char* text) : text(text) {}
  MessageArgument(const std::string& text) : text(text) {}
  MessageArgument(int number) : text(std::to_string(number)) {}
  std::string text;
};
using MessageArguments = std::initializer_list<MessageArgument>;

// Text `id` of the program's string table in code page 932; empty when there
// is none.
std::string ProgramText(UINT id);

// `format` with each %s and %d replaced by the next argument, and %% by %. A
// placeholder left without an argument stands for nothing.
std::string FillMessage(std::string_view format, MessageArguments arguments);

// Text `id` of the string table, filled with `arguments`.
std::string ProgramMessage(UINT id, MessageArguments arguments = {});

// Shows `text` (ShowProgramMessage: text `id` of the string table, filled
// with `arguments`) in a modal message box owned by `owner`, with the
// program's name as its caption. `type` gives the buttons and the icon:
// MB_ICONERROR for a failure (OK button), MB_YESNO | MB_ICONQUESTION for a
// question. Returns the button pressed (IDOK, IDYES, IDNO), or 0 when the
// box could not be shown.
int ShowMessage(HWND owner, std::string_view text, UINT type);
int ShowProgramMessage(HWND owner, UINT id, UINT type, MessageArguments arguments = {});

// A text of code page 932 as a window shows it: in UTF-16, each byte that is
// no character of the code page shown as the system shows such bytes.
std::wstring ScreenText(std::string_view text);
