#pragma once
// The inputs of the commands that take one text per argument, or per line of
// standard input when there are none (convert, readings).

#include <functional>
#include <string>
#include <string_view>

#include "cli/cli_io.h"

// Hands each input to `take` as given and in Shift-JIS: the operands
// argv[first] to argv[argc - 1], or else the lines of standard input (LF or
// CR LF ends a line; the last needs no line end). An input that holds a NUL
// byte or is not valid in `encoding` is reported on stderr ("lexiforge-cli
// COMMAND: line N ..." or "... argument N ...", N counting the lines or the
// operands from 1, after what `out` holds so far)
// instead, and `allValid` becomes false; such an input then goes to
// `invalid` (when given) as it was given. Returns false, having said why,
// when standard input cannot be read.
bool ForEachInput(const char* command, int argc, char** argv, int first, Encoding encoding, StdoutBuffer& out,
                  bool& allValid, const std::function<void(std::string_view input, const std::string& sjis)>& take,
                  const std::function<void(std::string_view input)>& invalid = nullptr);
