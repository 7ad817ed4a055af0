// lexiforge-cli convert: readings in, baseforms out, one line each.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_io.h"
#include "cli/commands.h"
#include "cli/text_encoding.h"
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

struct ConvertRun {
  Encoding encoding = Encoding::kUtf8;
  StdoutBuffer out;
  std::string sjis;
  bool allConverted = true;

  // Converts one reading as given (in the chosen encoding). `lineNumber` is 0
  // for a reading from the command line.
  void Convert(std::string_view input, long lineNumber) {
    const char* problem = nullptr;
    if (input.find('\0') != std::string_view::npos) {
      problem = "holds a NUL byte";
    } else if (encoding == Encoding::kUtf8) {
      if (!SjisFromUtf8(input, sjis)) problem = "is not valid UTF-8 or has characters Shift-JIS cannot hold";
    } else {
      sjis.assign(input);
    }
    if (problem) {
      out.Flush();
      if (lineNumber > 0) {
        std::fprintf(stderr, "lexiforge-cli convert: line %ld %s\n", lineNumber, problem);
      } else {
        std::fprintf(stderr, "lexiforge-cli convert: argument %s\n", problem);
      }
      allConverted = false;
      return;
    }
    char baseform[kBaseformSize] = {};
    const int result = ConvertReadingToBaseform(sjis.c_str(), baseform);
    if (result != 1) allConverted = false;
    out.Append(input);
    out.Append('\t');
    if (result >= 0) out.Append(baseform);
    out.Append('\t');
    out.Append(result == 1 ? "1\n" : result == 0 ? "0\n" : result == -1 ? "-1\n" : "-2\n");
  }
};

}  // namespace

int RunConvertCommand(int argc, char** argv) {
  CommandOptions options{"convert", kConvertUsage};
  if (const int status = ParseCommandOptions(argc, argv, options); status >= 0) return status;
  ConvertRun run;
  run.encoding = options.encoding;
  const int first = options.first;

  UseBinaryStandardStreams();
  if (first < argc) {
    const std::vector<std::string> utf8 = Utf8Arguments(argc, argv);
    for (int i = first; i < argc; ++i) run.Convert(run.encoding == Encoding::kUtf8 ? utf8[i] : argv[i], 0);
  } else {
    std::string input;
    if (!ReadAllStandardInput("convert", input)) return 1;
    std::string_view rest = input;
    long lineNumber = 0;
    while (!rest.empty()) {
      const size_t lf = rest.find('\n');
      std::string_view line = rest.substr(0, lf);
      rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);
      if (lf != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
      run.Convert(line, ++lineNumber);
    }
  }
  run.out.Flush();
  return run.allConverted ? 0 : 1;
}
