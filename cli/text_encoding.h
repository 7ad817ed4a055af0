#pragma once
// The command line's arguments as the user typed them. Text itself is
// converted by the code-page module (convert/sjis_text.h).

#include <string>
#include <string_view>
#include <vector>

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
