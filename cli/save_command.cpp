// lexiforge-cli save, pool and julius: files read into one table, written as
// a text word list, a pool file or a Julius word dictionary.

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
#include "files/julius_dictionary.h"
#include "files/word_file_writer.h"
#include "readings/reading_fold.h"
#include "wordlist/word_list.h"

namespace {

constexpr char kSaveUsage[] =
    "usage: lexiforge-cli save [OPTION...] -o OUT.txt FILE...\n"
    "       lexiforge-cli pool [OPTION...] -o OUT.ppl FILE...\n"
    "       lexiforge-cli julius [OPTION...] -o OUT.dict FILE...\n"
    "\n"
    "Reads the files into one table as `lexiforge-cli show` does, then writes it:\n"
    "  save    as a text word list (WORD<TAB>READING<TAB>BASEFORM, CR LF; \"?\" for\n"
    "          an empty reading or baseform), in Shift-JIS unless --output-encoding\n"
    "  pool    as a pool file (the baseform coded one byte per phoneme symbol)\n"
    "  julius  as a Julius word dictionary (UTF-8, WORD<TAB>[WORD]<TAB>PHONEMES, LF;\n"
    "          the phonemes from the reading by Julius's kana rules)\n"
    "Every text word list and pool file written reads back to the same rows.\n"
    "OUT is replaced in one step:\n"
    "when writing fails, the old file is left as it was. When any FILE cannot be\n"
    "read, nothing is written. A read-only OUT is refused. A symbolic link is\n"
    "followed and the file it names replaced; a device or a FIFO is written into\n"
    "directly; OUT \"-\" is standard output, FILE \"-\" standard input.\n"
    "\n"
    "A row the format cannot hold exactly is listed on standard error (its row\n"
    "number, counted from 1, and its word) and left out; the exit status is then 1.\n"
    "  text word list: an empty word; a tab, LF or Ctrl-Z in a field; a field\n"
    "                  longer than 80 bytes; a reading or baseform that is \"?\";\n"
    "                  in UTF-8, text that is not valid Shift-JIS\n"
    "  pool file:      an empty baseform; \"*\" or another symbol without a code;\n"
    "                  anything but single spaces between symbols\n"
    "  Julius:         an empty word; a tab, LF, CR or space in the word, or bytes\n"
    "                  that are no character; an empty reading; a reading\n"
    "                  character no kana rule covers (anything but hiragana and\n"
    "                  the long-vowel mark, a small ya, yu or yo after a kana it\n"
    "                  does not combine with, a long-vowel mark after no vowel)\n"
    "\n"
    "  -o, --output OUT         the file to write (also --output=OUT; once only)\n"
    "  --strict                 write nothing when any row cannot be written exactly\n"
    "  --fill-readings          rows with a word and no reading first get the\n"
    "                           proposed reading and its baseform (see\n"
    "                           lexiforge-cli readings)\n"
    "  --fold-katakana          readings in katakana are folded into hiragana, and\n"
    "                           rows without a baseform get the one made from it\n"
    "  --input-encoding NAME    how text word lists are read: auto (the default:\n"
    "                           UTF-8 when the file begins with a byte order mark\n"
    "                           or is valid UTF-8 with non-ASCII text, otherwise\n"
    "                           Shift-JIS), utf-8 or sjis\n"
    "  --output-encoding NAME   save: sjis (the default) or utf-8\n"
    "  --encoding NAME          how messages show words and names: utf-8 (the\n"
    "                           default) or sjis\n"
    "\n"
    "Exit status: 0 when every file was read whole and every row written, 1\n"
    "otherwise (a line holding a character Shift-JIS cannot hold is named and\n"
    "read as a row without a reading), 2 for a usage error or, with\n"
    "--fill-readings, when no dictionary is found, a dictionary file cannot be\n"
    "loaded or the proposer fails (nothing is then written).\n";

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
    case RowProblem::kWordNotInJulius: return "its word holds a space or bytes that are no character";
    case RowProblem::kEmptyReading: return "it has no reading";
    case RowProblem::kUncoveredReading: return "its reading holds a character no Julius kana rule covers";
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
  options.readsWordLists = true;
  bool strict = false;
  bool fillReadings = false;
  bool foldKatakana = false;
  bool utf8Output = false;
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
    if (arg == "--fold-katakana") {
      foldKatakana = true;
      return 1;
    }
    if (format == WordFileFormat::kTextWordList &&
        (arg == "--output-encoding" || arg.starts_with("--output-encoding="))) {
      std::string_view name;
      if (arg.starts_with("--output-encoding=")) {
        name = arg.substr(sizeof "--output-encoding=" - 1);
      } else if (i + 1 < argc) {
        name = argv[++i];
      }
      if (name != "utf-8" && name != "utf8" && name != "UTF-8" && name != "sjis" && name != "shift-jis" &&
          name != "cp932") {
        UsageError(command, "--output-encoding takes sjis or utf-8");
        return -1;
      }
      utf8Output = name.starts_with("utf") || name.starts_with("UTF");
      return 1;
    }
    const bool joined = arg.starts_with("--output=");
    if (arg != "-o" && arg != "--output" && !joined) return 0;
    if (output >= 0) {
      UsageError(command, "only one output file (-o) may be given");
      return -1;
    }
    if (!joined && i + 1 >= argc) {
      UsageError(command, (std::string(argv[i]) + " needs a file name").c_str());
      return -1;
    }
    if (!joined) ++i;
    output = i;
    outputName = joined ? argv[i] + sizeof "--output=" - 1 : argv[i];
    if (*outputName == '\0') {
      UsageError(command, "the output file's name is empty");
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
    PrintError("lexiforge-cli %s: out of memory\n", command);
    return 1;
  }
  const std::vector<std::string> names = Utf8Arguments(argc, argv);
  std::string outName = encoding == Encoding::kUtf8 ? names[static_cast<size_t>(output)] : argv[output];
  if (outName.starts_with("--output=")) outName.erase(0, sizeof "--output=" - 1);
  if (!ExactArguments(argc, argv)[static_cast<size_t>(output)]) {
    PrintError("lexiforge-cli %s: %s: not written: the name cannot be written in code page 932\n", command,
                 names[static_cast<size_t>(output)].c_str());
    DestroyWordTable(list);
    return 1;
  }
  // The output is written only from every input whole: a file that could not
  // be read would otherwise be left out of it without a trace.
  bool complete = true;
  if (!ReadInputFiles(command, argc, argv, first, encoding, list, &complete)) {
    PrintError("lexiforge-cli %s: %s not written, as not every file could be read\n", command,
                 outName.c_str());
    DestroyWordTable(list);
    return 1;
  }
  if (fillReadings) {
    const int filled = FillReadingsForCommand(command, list, format);
    if (filled == 2) {
      DestroyWordTable(list);
      return 2;
    }
    complete = complete && filled == 0;
  }
  if (foldKatakana && !FoldKatakanaForCommand(command, list)) complete = false;

  // Every such row by name, so the user can mend them.
  // Named as they are found, without keeping them; each line is put
  // together here, as a list can hold very many such rows.
  ErrorLines rowLines;
  std::string line;
  const int unwritable = ForEachUnwritableRow(list, format, [&](int index, std::string_view word, RowProblem problem) {
    line.assign("lexiforge-cli ").append(command).append(": row ").append(std::to_string(index + 1)).append(" (");
    AppendPrintableText(word, encoding, line);
    line.append("): ").append(Describe(problem)).append(strict ? "; nothing written\n" : "; left out\n");
    rowLines.Add(line);
  });
  if (unwritable > 0) complete = false;
  // Text that is not valid Shift-JIS has no UTF-8 form: such rows are named
  // and left out alike.
  const std::vector<int> unconvertible = utf8Output ? RowsNotInUtf8(list) : std::vector<int>();
  for (const int row : unconvertible) {
    rowLines.Print("lexiforge-cli %s: row %d (%s): its text is not valid Shift-JIS, so has no UTF-8 form; %s\n",
                 command, row + 1, PrintableText(WordRowText(list, row, 0), encoding).c_str(),
                 strict ? "nothing written" : "left out");
  }
  rowLines.Flush();
  const int refused = unwritable + static_cast<int>(unconvertible.size());
  if (refused > 0) complete = false;

  if (strict && refused > 0) {
    PrintError("lexiforge-cli %s: %d row(s) cannot be written exactly; %s not written\n", command,
                 refused, outName.c_str());
  } else {
    // Deleted from the last, so that the rows before keep their numbers.
    for (auto row = unconvertible.rbegin(); row != unconvertible.rend(); ++row) {
      SelectWordRow(list, *row, true);
      DeleteSelectedWordRow(list);
    }
    std::string reason;
    if (const SaveResult result = SaveWordFile(list, outputName, format, &reason, utf8Output); result != SaveResult::kSaved) {
      // The system's words are in its own code page: Shift-JIS on Windows.
      const std::string why = reason.empty() ? "" : " (" + PrintableText(reason, encoding) + ")";
      PrintError("lexiforge-cli %s: %s: %s%s\n", command, outName.c_str(), Describe(result), why.c_str());
      complete = false;
    } else if (const int words = RowCount(list) - unwritable;
               format == WordFileFormat::kJuliusDictionary && words > kJuliusMostWords) {
      PrintError("lexiforge-cli %s: note: %s holds %d words; Julius loads at most %d unless it was built with "
                   "--enable-words-int\n",
                   command, outName.c_str(), words, kJuliusMostWords);
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

int RunJuliusCommand(int argc, char** argv) {
  return RunWriteCommand("julius", WordFileFormat::kJuliusDictionary, argc, argv);
}
