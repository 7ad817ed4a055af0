#pragma once
// The command line's arguments as the user typed them. Text itself is
// converted by the code-page module (convert/sjis_text.h).

#include <string>
#include <string_view>
#include <vector>

// The last `argc` arguments of the command line (those in `argv`) as the user
// typed them, in UTF-8. On Windows `argv` holds them in code page 932,
// which cannot carry every character, so they are taken from the wide command
// line instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// The program's arguments as its commands take them: on Windows from the
// UTF-16 command line in code page 932 (the code page of every text and path
// the program handles), whatever the system's ANSI code page, a character
// the code page cannot hold replaced by a stand-in; elsewhere as they are.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Whether each of the last `argc` arguments (those in `argv`, as
// ProgramArguments gives them) holds exactly what the user typed. On Windows
// a character code page 932 cannot hold ("é", "¥") is turned into another
// ("e", "\\"): such a name would name another file. Elsewhere every
// argument is exact.
std::vector<bool> ExactArguments(int argc, char** argv);
