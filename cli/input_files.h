#pragma once
// The FILE arguments of lexiforge-cli, read into one word list the way files
// dropped on the program's window are read: by the last three bytes of the
// path, "fsg" a grammar file, "ppl" a pool file, anything else a text word
// list, each behind the rows read before.

#include "cli/cli_io.h"
#include "wordlist/word_list.h"

// Reads argv[first] to argv[argc - 1] into `list`. Each file that cannot be
// read is reported on standard error as "lexiforge-cli COMMAND: NAME: why",
// the name in `encoding`; the other files are still read. Returns true when
// every file was read. A text word list line that holds a character
// Shift-JIS cannot hold is named ("NAME: line N: ...") and gives a row with
// "〓" in its place and no reading; `whole` (when given) then becomes false.
bool ReadInputFiles(const char* command, int argc, char** argv, int first, Encoding encoding, WordList list,
                    bool* whole = nullptr);
