#pragma once
// Word-list text made printable for lexiforge-cli: control bytes as \xNN, and
// in UTF-8 output every byte that is not part of a valid Shift-JIS character
// as \xNN too, so that one bad byte cannot spoil its neighbours.

#include <string>
#include <string_view>

#include "cli/cli_io.h"

// Appends one field, escaped as above, still in Shift-JIS.
void AppendPrintableField(std::string_view sjis, Encoding encoding, std::string& piece);

// Converts text made by AppendPrintableField into the output encoding;
// characters that have no Unicode mapping are escaped byte by byte.
void ConvertPrintable(const std::string& piece, Encoding encoding, std::string& out);

// Both steps for one short text, such as a word in a message.
std::string PrintableText(std::string_view sjis, Encoding encoding);
