#pragma once
// Word-list text made printable for lexiforge-cli: control bytes as \xNN, and
// in UTF-8 output every byte that is not part of a valid Shift-JIS character
// as \xNN too, so that one bad byte cannot spoil its neighbours.

#include <string>
#include <string_view>

#include "cli/cli_io.h"

// Writes one Shift-JIS text, escaped as above, in the output encoding at
// `out`, which has room for PrintableTextRoom(sjis.size()) bytes; returns the
// end of what it wrote.
size_t PrintableTextRoom(size_t size);
char* WritePrintableText(std::string_view sjis, Encoding encoding, char* out);

// Appends one Shift-JIS text, escaped as above, in the output encoding: in
// UTF-8 a character that has no Unicode mapping is escaped byte by byte.
void AppendPrintableText(std::string_view sjis, Encoding encoding, std::string& out);

// The same for one short text, such as a word in a message.
std::string PrintableText(std::string_view sjis, Encoding encoding);
