// lexiforge-cli save and pool: files read into one table, written as a text
// word list or a pool file.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_io.h"
#include "cli/commands.h"
#include "cli/fill_readings.h"
#include "cli/display_text.h"
#include "cli/input_files.h"
#include "cli/text_encoding.h"
#include "files/word_file_writer.h"
#include "wordlist/word_list.h"

namespace {

constexpr char kSaveUsage[] =
    "usage: lexiforge-cli save [--strict] [--fill-readings] [--encoding utf-8|sjis] -o OUT.txt FILE...\n"
    "       lexiforge-cli pool [--strict] [--fill-readings] [--encoding utf-8|sjis] -o OUT.ppl FILE...\n"
    "\n"
    "Reads the files into one table as `lexiforge-cli show` does, then writes it:\n"
    "  save  as a text word list (Shift-JIS, WORD<TAB>READING<TAB>BASEFORM, CR LF;\n"
    "        \"?\" for an empty reading or baseform)\n"
    "  pool  as a pool file (the baseform coded one byte per phoneme symbol)\n"
    "Every file written reads back to the same rows. OUT is replaced in one step:\n"
    "when writing fails, the old file is left as it was. When any FILE cannot be\n"
    "read, nothing is written. A read-only OUT is refused. A symbolic link is\n"
    "followed and the file it names replaced; a device or a FIFO is written into\n"
    "directly; OUT \"-\" is standard output.\n"
    "\n"
    "A row the format cannot hold exactly is listed on standard error (its row\n"
    "number, counted from 1, and its word) and left out; the exit status is then 1.\n"
    "  text word list: an empty word; a tab, LF or Ctrl-Z in a field; a field\n"
    "                  longer than 80 bytes; a reading or baseform that is \"?\"\n"
    "  pool file:      an empty baseform; \"*\" or another symbol without a code;\n"
    "                  anything but single spaces between symbols\n"
    "\n"
    "  -o, --output OUT   the file to write (also --output=OUT; once only)\n"
    "  --strict           write nothing when any row cannot be written exactly\n"
    "  --fill-readings    rows with a word and no reading first get the proposed\n"
    "                     reading and its baseform (see lexiforge-cli readings)\n"
    "  --encoding NAME    how messages show words and names: utf-8 (the default)\n"
    "                     or sjis\n"
    "\n"
    "Exit status: 0 when every file was read and every row written, 1 otherwise,\n"
    "2 for a usage error or, with --fill-readings, when no dictionary is found,\n"
    "a dictionary file cannot be loaded or the proposer fails (nothing is then\n"
    "written).\n";

const char* Describe(RowProblem problem) {
  switch (problem) {
    case RowProblem::kNone: return "no problem";
    case RowProblem::kEmptyWord: return "it has no word";
    case RowProblem::kControlByte: return "a field holds a tab, LF or Ctrl-Z";
    case RowProblem::kFieldTooLong: return "a field is longer than 80 bytes";
    case RowProblem::kPlaceholderText: return "its reading or baseform is \"?\"";
    case RowProblem::kEmptyBaseform: return "it has no baseform";
    case RowProblem::kUnknownSymbol: return "its baseform holds \"*\" or a symbol that has no code";
    case RowProblem::kBadSpacing: return "its baseform's symbols are not separated by single spaces";
  }
  return "unknown problem";
}

const char* Describe(SaveResult result) {
  switch (result) {
    case SaveResult::kSaved: return "written";
    case SaveResult::kCannotCreate: return "cannot create a file in its folder";
    case SaveResult::kWriteFailed: return "writing failed (is the disk full?)";
    case SaveResult::kCannotReplace: return "the existing file cannot be replaced";
    case SaveResult::kReadOnly: return "the file is read-only; nothing written";
    case SaveResult::kStopped: return "stopped; nothing written";
  }
  return "unknown error";
}

int RunWriteCommand(const char* command, WordFileFormat format, int argc, char** argv) {
  CommandOptions options{command, kSaveUsage};
  bool strict = false;
  bool fillReadings = false;
  int output = -1;  // the argument that names the output file
  const char* outputName = nullptr;
  const int status = ParseCommandOptions(argc, argv, options, [&](int& i) {
    const std::string_view arg = argv[i];
    if (arg == "--strict") {
      strict = true;
      return 1;
    }
    if (arg == "--fill-readings") {
      fillReadings = true;
      return 1;
    }
    const bool joined = arg.starts_with("--output=");
    if (arg != "-o" && arg != "--output" && !joined) return 0;
    if (output >= 0) {
      std::fprintf(stderr, "lexiforge-cli %s: only one output file (-o) may be given\n", command);
      return -1;
    }
    if (!joined && i + 1 >= argc) {
      std::fprintf(stderr, "lexiforge-cli %s: %s needs a file name\n", command, argv[i]);
      return -1;
    }
    if (!joined) ++i;
    output = i;
    outputName = joined ? argv[i] + sizeof "--output=" - 1 : argv[i];
    if (*outputName == '\0') {
      std::fprintf(stderr, "lexiforge-cli %s: the output file's name is empty\n", command);
      return -1;
    }
    return 1;
  });
  if (status >= 0) return status;
  if (output < 0) return UsageError(options, "no output file given (-o OUT)");
  if (options.first >= argc) return UsageError(options, "no FILE given");
  const Encoding encoding = options.encoding;
  const int first = options.first;

  WordList list = CreateWordTable();
  if (!list) {
    std::fprintf(stderr, "lexiforge-cli %s: out of memory\n", command);
    return 1;
  }
  const std::vector<std::string> names = Utf8Arguments(argc, argv);
  std::string outName = encoding == Encoding::kUtf8 ? names[static_cast<size_t>(output)] : argv[output];
  if (outName.starts_with("--output=")) outName.erase(0, sizeof "--output=" - 1);
  if (!ExactArguments(argc, argv)[static_cast<size_t>(output)]) {
    std::fprintf(stderr, "lexiforge-cli %s: %s: not written: the name cannot be written in code page 932\n", command,
                 names[static_cast<size_t>(output)].c_str());
    DestroyWordTable(list);
    return 1;
  }
  // The output is written only from every input whole: a file that could not
  // be read would otherwise be left out of it without a trace.
  if (!ReadInputFiles(command, argc, argv, first, encoding, list)) {
    std::fprintf(stderr, "lexiforge-cli %s: %s not written, as not every file could be read\n", command,
                 outName.c_str());
    DestroyWordTable(list);
    return 1;
  }
  bool complete = true;
  if (fillReadings) {
    const int filled = FillReadingsForCommand(command, list, format);
    if (filled == 2) {
      DestroyWordTable(list);
      return 2;
    }
    complete = filled == 0;
  }

  // Every such row by name, so the user can mend them.
  const UnwritableRows unwritable = FindUnwritableRows(list, format, SIZE_MAX);
  for (const UnwritableRow& row : unwritable.first) {
    std::fprintf(stderr, "lexiforge-cli %s: row %d (%s): %s; %s\n", command, row.index + 1,
                 PrintableText(row.word, encoding).c_str(), Describe(row.problem),
                 strict ? "nothing written" : "left out");
  }
  if (unwritable.count > 0) complete = false;

  if (strict && unwritable.count > 0) {
    std::fprintf(stderr, "lexiforge-cli %s: %d row(s) cannot be written exactly; %s not written\n", command,
                 unwritable.count, outName.c_str());
  } else {
    std::string reason;
    if (const SaveResult result = SaveWordFile(list, outputName, format, &reason); result != SaveResult::kSaved) {
      // The system's words are in its own code page: Shift-JIS on Windows.
      const std::string why = reason.empty() ? "" : " (" + PrintableText(reason, encoding) + ")";
      std::fprintf(stderr, "lexiforge-cli %s: %s: %s%s\n", command, outName.c_str(), Describe(result), why.c_str());
      complete = false;
    }
  }
  DestroyWordTable(list);
  return complete ? 0 : 1;
}

}  // namespace

int RunSaveCommand(int argc, char** argv) {
  return RunWriteCommand("save", WordFileFormat::kTextWordList, argc, argv);
}

int RunPoolCommand(int argc, char** argv) { return RunWriteCommand("pool", WordFileFormat::kPoolFile, argc, argv); }
