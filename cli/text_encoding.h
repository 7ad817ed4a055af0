#pragma once
// Conversion between UTF-8 and Shift-JIS (code page 932) for the command-line
// tool: iconv on POSIX systems, the code-page functions on Windows.

#include <string>
#include <string_view>
#include <vector>

// Both return false, leaving `out` unspecified, when `in` is not valid in its
// encoding or holds a character the other encoding cannot represent.
bool SjisFromUtf8(std::string_view in, std::string& out);
bool Utf8FromSjis(std::string_view in, std::string& out);

// The last `argc` arguments of the command line (those in `argv`) as the user
// typed them, in UTF-8. On Windows `argv` holds them in the ANSI code page,
// which cannot carry every character, so they are taken from the wide command
// line instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Whether each of the last `argc` arguments (those in `argv`) holds exactly
// what the user typed. On Windows `argv` is in the ANSI code page, into which
// a character it cannot hold ("é", "¥") is turned into another ("e", "\\"):
// such a name would name another file. Elsewhere every argument is exact.
std::vector<bool> ExactArguments(int argc, char** argv);
