// lexiforge-cli show: word lists, grammar files and pool files read into one
// table, printed one row per line.

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/cli_io.h"
#include "cli/commands.h"
#include "cli/fill_readings.h"
#include "cli/display_text.h"
#include "cli/input_files.h"
#include "wordlist/word_list.h"

namespace {

constexpr char kShowUsage[] =
    "usage: lexiforge-cli show [--fill-readings] [--fold-katakana] [--encoding utf-8|sjis]\n"
    "                          [--input-encoding auto|utf-8|sjis] FILE...\n"
    "\n"
    "Reads the files, in the order given, into one word list the way files\n"
    "dropped on the program's window are read: a path whose last three bytes are\n"
    "\"fsg\" is a grammar file, \"ppl\" a pool file, anything else a text word list;\n"
    "each file's rows go behind those read before. FILE \"-\" is standard input.\n"
    "A text word list is read as UTF-8 when it begins with a byte order mark or\n"
    "is valid UTF-8 throughout with non-ASCII text, otherwise as Shift-JIS;\n"
    "UTF-8 is converted to Shift-JIS, and a line holding a character Shift-JIS\n"
    "cannot hold is named on standard error and gives a row with a mark (U+3013)\n"
    "in its place and no reading.\n"
    "\n"
    "Prints one line per row: WORD<TAB>READING<TAB>BASEFORM, each field whole as the\n"
    "row holds it (up to 255 bytes). A byte 0x00 to 0x1F or 0x7F inside a field is\n"
    "printed as \\xNN (two upper-case hexadecimal digits).\n"
    "\n"
    "  --encoding utf-8   output in UTF-8 (the default); bytes that are not valid\n"
    "                     Shift-JIS are printed as \\xNN\n"
    "  --encoding sjis    output the Shift-JIS bytes unchanged\n"
    "  --fill-readings    rows with a word and no reading first get the proposed\n"
    "                     reading and its baseform (see lexiforge-cli readings)\n"
    "  --fold-katakana    readings in katakana are folded into hiragana, and rows\n"
    "                     without a baseform get the one made from it\n"
    "  --input-encoding NAME  how text word lists are read: auto (the default),\n"
    "                     utf-8 or sjis\n"
    "\n"
    "A file that cannot be read (cannot be opened, or a pool file whose header\n"
    "differs) is reported on standard error; the other files are still read.\n"
    "\n"
    "Exit status: 0 when every file was read whole, 1 when any was not (or a\n"
    "line held a character Shift-JIS cannot hold), 2 for a usage error or, with\n"
    "--fill-readings, when no dictionary is found, a dictionary file cannot be\n"
    "loaded or the proposer fails.\n";

// Each row goes straight into the output buffer, already in the output
// encoding.
class RowPrinter {
 public:
  explicit RowPrinter(Encoding encoding) : encoding_(encoding) {}

  void PrintRow(WordList list, int index) {
    std::string_view texts[kWordColumns];
    WordRowTexts(list, index, texts);
    std::string& text = out_.text();
    const size_t start = text.size();
    text.resize(start + PrintableTextRoom(texts[0].size() + texts[1].size() + texts[2].size()) + 3);
    char* p = WritePrintableText(texts[0], encoding_, text.data() + start);
    *p++ = '\t';
    p = WritePrintableText(texts[1], encoding_, p);
    *p++ = '\t';
    p = WritePrintableText(texts[2], encoding_, p);
    *p++ = '\n';
    text.resize(static_cast<size_t>(p - text.data()));
    out_.FlushWhenFull();
  }

 private:
  Encoding encoding_;
  StdoutBuffer out_;
};

}  // namespace

int RunShowCommand(int argc, char** argv) {
  CommandOptions options{"show", kShowUsage};
  options.readsWordLists = true;
  bool fillReadings = false;
  bool foldKatakana = false;
  const int status = ParseCommandOptions(argc, argv, options, [&](int& i) {
    const std::string_view arg = argv[i];
    if (arg == "--fill-readings") {
      fillReadings = true;
    } else if (arg == "--fold-katakana") {
      foldKatakana = true;
    } else {
      return 0;
    }
    return 1;
  });
  if (status >= 0) return status;
  if (options.first >= argc) return UsageError(options, "no FILE given");
  const Encoding encoding = options.encoding;

  WordList list = CreateWordTable();
  if (!list) {
    WriteText(stderr, "lexiforge-cli show: out of memory\n");
    return 1;
  }
  bool whole = true;
  bool allRead = ReadInputFiles("show", argc, argv, options.first, encoding, list, &whole) && whole;
  if (fillReadings) {
    const int filled = FillReadingsForCommand("show", list, WordFileFormat::kTextWordList);
    if (filled == 2) {
      DestroyWordTable(list);
      return 2;
    }
    allRead = allRead && filled == 0;
  }
  if (foldKatakana && !FoldKatakanaForCommand("show", list)) allRead = false;

  UseBinaryStandardStreams();
  {
    RowPrinter printer(encoding);
    const int rows = RowCount(list);
    for (int i = 0; i < rows; ++i) printer.PrintRow(list, i);
  }
  DestroyWordTable(list);
  return allRead ? 0 : 1;
}
