// lexiforge-cli convert: readings in, baseforms out, one line each.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_io.h"
#include "cli/commands.h"
#include "cli/line_inputs.h"
#include "convert/reading_conversion.h"

namespace {

constexpr char kConvertUsage[] =
    "usage: lexiforge-cli convert [--encoding utf-8|sjis] [READING ...]\n"
    "\n"
    "Converts hiragana readings into baseforms (phoneme symbols separated by\n"
    "spaces) by greedy longest match over the kana table. With no READING,\n"
    "reads one reading per line from standard input (LF or CR LF ends a line).\n"
    "\n"
    "Prints one line per reading: READING<TAB>BASEFORM<TAB>RESULT, where RESULT is\n"
    "   1  every character was converted\n"
    "   0  some characters have no key; each stands as \"*\" in the baseform\n"
    "  -1  the reading is empty (BASEFORM empty)\n"
    "  -2  the reading holds something other than hiragana and \"ー\" (BASEFORM empty)\n"
    "\n"
    "  --encoding utf-8   input and output are UTF-8 (the default)\n"
    "  --encoding sjis    input and output are Shift-JIS bytes, passed unchanged\n"
    "\n"
    "Readings of any length are accepted. A baseform holds at most 255 bytes: a\n"
    "longer one ends after the last whole symbol that fits (readings of up to 51\n"
    "characters always fit).\n"
    "A line that is not valid in the chosen encoding, or holds a NUL byte, is\n"
    "reported on standard error with its line number and gives no output line.\n"
    "\n"
    "Exit status: 0 when every result is 1, 1 when any is not (or a line was not\n"
    "valid), 2 for a usage error.\n";

// One line of output per reading: READING<TAB>BASEFORM<TAB>RESULT.
void PrintConversion(StdoutBuffer& out, std::string_view input, const std::string& sjis, bool& allConverted) {
  char baseform[kBaseformSize] = {};
  const int result = ConvertReadingToBaseform(sjis.c_str(), baseform);
  if (result != 1) allConverted = false;
  out.Append(input);
  out.Append('\t');
  if (result >= 0) out.Append(baseform);
  out.Append('\t');
  out.Append(result == 1 ? "1\n" : result == 0 ? "0\n" : result == -1 ? "-1\n" : "-2\n");
}

}  // namespace

int RunConvertCommand(int argc, char** argv) {
  CommandOptions options{"convert", kConvertUsage};
  if (const int status = ParseCommandOptions(argc, argv, options); status >= 0) return status;
  UseBinaryStandardStreams();
  StdoutBuffer out;
  bool allConverted = true;
  const bool read = ForEachInput("convert", argc, argv, options.first, options.encoding, out, allConverted,
                                 [&](std::string_view input, const std::string& sjis) {
                                   PrintConversion(out, input, sjis, allConverted);
                                 });
  out.Flush();
  return read && allConverted ? 0 : 1;
}
