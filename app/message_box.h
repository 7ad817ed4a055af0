#pragma once
// Every message the program shows goes through ShowMessage, so that each box
// carries the program's name as its caption.

#include <windows.h>

inline constexpr char kProgramCaption[] = "Corvane Lexiforge";

// Shows `text` in a modal message box owned by `owner`. `type` gives the
// buttons and the icon: MB_ICONERROR for a failure (OK button), MB_YESNO |
// MB_ICONQUESTION for a question. Returns the button pressed (IDOK, IDYES,
// IDNO), or 0 when the box could not be shown.
inline int ShowMessage(HWND owner, const char* text, UINT type) {
  return MessageBoxA(owner, text, kProgramCaption, type);
}
