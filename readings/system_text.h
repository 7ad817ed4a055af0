#pragma once
// What the reading proposer needs from the system: the analyser's dictionary
// is UTF-8 while rows are code page 932, and its folder is found beside the
// program. iconv on POSIX systems, the code-page functions on Windows.

#include <string>
#include <string_view>

// Both return false, leaving `out` unspecified, when `in` is not valid in its
// encoding or holds a character the other cannot represent.
bool ConvertSjisToUtf8(std::string_view in, std::string& out);
bool ConvertUtf8ToSjis(std::string_view in, std::string& out);

// The folder that holds the running program, in UTF-8 without a trailing
// separator; empty when the system does not say.
std::string ProgramFolder();
