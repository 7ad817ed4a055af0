// lexiforge-cli readings: words in, proposed readings out, one line each.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_io.h"
#include "cli/commands.h"
#include "cli/fill_readings.h"
#include "cli/line_inputs.h"
#include "convert/sjis_text.h"
#include "readings/reading_proposer.h"
#include "readings/program_folder.h"
#include "readings/reading_fill.h"

namespace {

constexpr char kReadingsUsage[] =
    "usage: lexiforge-cli readings [--encoding utf-8|sjis] [--dictionary DIR] [WORD ...]\n"
    "\n"
    "Proposes the hiragana reading of each word: MeCab with the IPA dictionary\n"
    "reads it, and SKK's dictionary (SKK-JISYO.L), where present, supplies the\n"
    "readings it knows for the whole word. With no WORD, reads one word per line\n"
    "from standard input (LF or CR LF ends a line).\n"
    "\n"
    "Prints one line per word: WORD<TAB>READING, with an empty READING when there\n"
    "is no proposal (a character the dictionaries cannot read, such as an unknown\n"
    "kanji or Latin letters: no half readings).\n"
    "\n"
    "  --encoding utf-8   input and output are UTF-8 (the default)\n"
    "  --encoding sjis    input and output are Shift-JIS bytes\n"
    "  --dictionary DIR   the dictionaries: DIR/ipadic (or DIR itself) is a compiled\n"
    "                     IPA dictionary in UTF-8, DIR/SKK-JISYO.L is used when there.\n"
    "                     Without it: dic/ beside the program, then (not on\n"
    "                     Windows) Debian's mecab-ipadic-utf8 and skkdic.\n"
    "\n"
    "Exit status: 0 when every word got a reading, 1 when any did not (or a line\n"
    "was not valid), 2 for a usage error or when no dictionary can be loaded.\n";

// Loads the proposer from `folder`, or from where it is looked for by default
// when `folder` is null; says on stderr why not.
std::unique_ptr<ReadingProposer> LoadProposer(const char* command, const char* folder) {
  ReadingDictionaries dictionaries;
  std::vector<std::string> looked;
  bool found;
  if (folder) {
    looked.push_back(folder);
    found = FindDictionariesIn(folder, dictionaries);
  } else {
    const std::string programFolder = ProgramFolder();
    looked = ReadingDictionaryFolders(programFolder);
    found = FindReadingDictionaries(programFolder, dictionaries);
  }
  if (!found) {
    std::fprintf(stderr, "lexiforge-cli %s: no IPA dictionary for MeCab found; looked in:\n", command);
    for (const std::string& place : looked) std::fprintf(stderr, "  %s\n", place.c_str());
    return nullptr;
  }
  std::string error;
  std::unique_ptr<ReadingProposer> proposer = ReadingProposer::Load(dictionaries, error);
  if (!proposer) std::fprintf(stderr, "lexiforge-cli %s: %s\n", command, error.c_str());
  return proposer;
}

// One line of output per word: WORD<TAB>READING, empty when there is none.
void PrintProposal(StdoutBuffer& out, Encoding encoding, ReadingProposer& proposer, std::string_view input,
                   const std::string& sjis, bool& allProposed) {
  std::string reading, shown;
  if (!proposer.Propose(sjis, reading)) allProposed = false;
  out.Append(input);
  out.Append('\t');
  if (encoding == Encoding::kUtf8) {
    // A proposal is hiragana, which UTF-8 always holds.
    if (ConvertSjisToUtf8(reading, shown)) out.Append(shown);
  } else {
    out.Append(reading);
  }
  out.Append('\n');
}

}  // namespace

int RunReadingsCommand(int argc, char** argv) {
  CommandOptions options{"readings", kReadingsUsage};
  const char* folder = nullptr;
  const int status = ParseCommandOptions(argc, argv, options, [&](int& i) {
    const std::string_view arg = argv[i];
    if (arg.substr(0, 13) == "--dictionary=") {
      folder = argv[i] + 13;
      return 1;
    }
    if (arg != "--dictionary") return 0;
    if (i + 1 >= argc) {
      std::fputs("lexiforge-cli readings: --dictionary needs a folder\n", stderr);
      return -1;
    }
    folder = argv[++i];
    return 1;
  });
  if (status >= 0) return status;

  std::unique_ptr<ReadingProposer> proposer = LoadProposer("readings", folder);
  if (!proposer) return 2;

  UseBinaryStandardStreams();
  StdoutBuffer out;
  bool allProposed = true;
  const bool read = ForEachInput("readings", argc, argv, options.first, options.encoding, out, allProposed,
                                 [&](std::string_view input, const std::string& sjis) {
                                   PrintProposal(out, options.encoding, *proposer, input, sjis, allProposed);
                                 });
  out.Flush();
  return read && allProposed ? 0 : 1;
}

int FillReadingsForCommand(const char* command, WordList list) {
  std::unique_ptr<ReadingProposer> proposer = LoadProposer(command, nullptr);
  if (!proposer) return 2;
  const ReadingFillCount count = FillMissingReadings(list, *proposer);
  std::fprintf(stderr, "lexiforge-cli %s: readings filled in %d row(s); %d word(s) without a proposal\n", command,
               count.filled, count.unproposed);
  if (count.unstored > 0) {
    std::fprintf(stderr, "lexiforge-cli %s: out of memory: %d reading(s) not stored\n", command, count.unstored);
    return 1;
  }
  return 0;
}
