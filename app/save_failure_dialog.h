#pragma once
// The message that a file could not be saved.

#include <windows.h>

#include <string>

// Shows, modally over `owner`, the path whole on one line, "ﾌｧｲﾙを保存で
// きませんでした" below it, and the system's reason (when there is one)
// below that, with the error icon and an OK button.
void ShowSaveFailure(HWND owner, const char* path, const std::string& reason);
