#pragma once
// Conversion between UTF-8 and Shift-JIS (code page 932) for the command-line
// tool: iconv on POSIX systems, the code-page functions on Windows.

#include <string>
#include <string_view>

// Both return false, leaving `out` unspecified, when `in` is not valid in its
// encoding or holds a character the other encoding cannot represent.
bool SjisFromUtf8(std::string_view in, std::string& out);
bool Utf8FromSjis(std::string_view in, std::string& out);
