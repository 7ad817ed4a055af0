// lexiforge-cli readings: words in, proposed readings out, one line each.

#include <algorithm>
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
#include "readings/reading_fold.h"

namespace {

constexpr char kReadingsUsage[] =
    "usage: lexiforge-cli readings [--all] [--encoding utf-8|sjis] [--dictionary DIR] [WORD ...]\n"
    "\n"
    "Proposes the hiragana reading of each word: MeCab with the IPA dictionary\n"
    "reads it, and SKK's dictionary (SKK-JISYO.L) and UniDic's readings\n"
    "(unidic-readings.txt), where present, supply the readings they know for the\n"
    "whole word and its parts. With no WORD, reads one word per line\n"
    "from standard input (LF or CR LF ends a line).\n"
    "\n"
    "Prints one line per word: WORD<TAB>READING, with READING \"?\" when there is\n"
    "no proposal (a character the dictionaries cannot read, such as an unknown\n"
    "kanji or Latin letters: no half readings). \"?\" is the text word list's own\n"
    "mark for an empty reading, so every line read gives one row of a word list:\n"
    "`readings | save` keeps every word. A byte order mark before the first line\n"
    "of UTF-8 input is skipped. With --all, the line holds every reading\n"
    "considered, best first, at most 5: WORD<TAB>R1<TAB>R2...\n"
    "\n"
    "  --all              every reading considered, not only the best\n"
    "  --encoding utf-8   input and output are UTF-8 (the default)\n"
    "  --encoding sjis    input and output are Shift-JIS bytes\n"
    "  --dictionary DIR   the dictionaries: DIR/ipadic (or DIR itself) is a compiled\n"
    "                     IPA dictionary in UTF-8, DIR/SKK-JISYO.L and\n"
    "                     DIR/unidic-readings.txt are used when there.\n"
    "                     Without it: dic/ beside the program, then (not on\n"
    "                     Windows) Debian's mecab-ipadic-utf8 and skkdic.\n"
    "\n"
    "Exit status: 0 when every word got a reading, 1 when any did not (or an input\n"
    "was not valid), 2 for a usage error, when no dictionary is found or when a\n"
    "dictionary file cannot be loaded (missing, not a regular file, damaged, too\n"
    "large; the message names it).\n";

// Why a dictionary file is refused, in the CLI's words.
const char* Describe(DictionaryProblem problem) {
  switch (problem) {
    case DictionaryProblem::kNone: return "no problem";
    case DictionaryProblem::kMissing: return "it is missing";
    case DictionaryProblem::kNotRegularFile: return "it is not a regular file";
    case DictionaryProblem::kTooLarge: return "it is too large";
    case DictionaryProblem::kUnreadable: return "it cannot be read";
    case DictionaryProblem::kDamaged: return "it is damaged";
  }
  return "it cannot be loaded";
}

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
    PrintError("lexiforge-cli %s: no IPA dictionary for MeCab found; looked in:\n", command);
    for (const std::string& place : looked) PrintError("  %s\n", place.c_str());
    return nullptr;
  }
  DictionaryFault fault;
  std::unique_ptr<ReadingProposer> proposer = ReadingProposer::Load(dictionaries, fault);
  if (!proposer) {
    PrintError("lexiforge-cli %s: cannot load the dictionary file %s: %s\n", command, fault.file.c_str(),
                 Describe(fault.problem));
  }
  return proposer;
}

// One line of output per word: WORD<TAB>READING, "?" when there is none (a
// text word list line "WORD<TAB>" would give no row). The reading is the one
// --fill-readings takes, so that `readings | save` gives the rows `save
// --fill-readings` does: none where the fill takes none because a text word
// list could not hold it. With `all`, every candidate, tab-separated, at
// most kShownCandidates.
constexpr size_t kShownCandidates = 5;

void PrintProposal(StdoutBuffer& out, Encoding encoding, ReadingProposer& proposer, std::string_view input,
                   const std::string& sjis, bool all, bool& allProposed) {
  std::vector<std::string> readings;
  if (all) {
    readings = proposer.Candidates(sjis);
    std::erase_if(readings, [](const std::string& r) { return !ProposalFits(WordFileFormat::kTextWordList, r); });
    readings.resize(std::min(readings.size(), kShownCandidates));
  } else if (std::string best; proposer.Propose(sjis, best) && ProposalFits(WordFileFormat::kTextWordList, best)) {
    readings.push_back(std::move(best));
  }
  if (readings.empty()) {
    allProposed = false;
    readings.emplace_back();
  }
  out.Append(input);
  std::string shown;
  for (const std::string& reading : readings) {
    out.Append('\t');
    if (reading.empty()) {
      out.Append('?');
    } else if (encoding == Encoding::kUtf8) {
      // A proposal is hiragana, which UTF-8 always holds.
      if (ConvertSjisToUtf8(reading, shown)) out.Append(shown);
    } else {
      out.Append(reading);
    }
  }
  out.Append('\n');
}

}  // namespace

int RunReadingsCommand(int argc, char** argv) {
  CommandOptions options{"readings", kReadingsUsage};
  const char* folder = nullptr;
  bool all = false;
  const int status = ParseCommandOptions(argc, argv, options, [&](int& i) {
    const std::string_view arg = argv[i];
    if (arg == "--all") {
      all = true;
      return 1;
    }
    if (arg.substr(0, 13) == "--dictionary=") {
      folder = argv[i] + 13;
      return 1;
    }
    if (arg != "--dictionary") return 0;
    if (i + 1 >= argc) {
      UsageError("readings", "--dictionary needs a folder");
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
                                   PrintProposal(out, options.encoding, *proposer, input, sjis, all, allProposed);
                                 },
                                 // A line that cannot be read still gets its line: no
                                 // word is lost on the way to a word list.
                                 [&](std::string_view input) {
                                   out.Append(input);
                                   out.Append("\t?\n");
                                 });
  out.Flush();
  if (proposer->Failed()) {
    WriteText(stderr, "lexiforge-cli readings: the reading proposer failed; the words after it got no proposal\n");
    return 2;
  }
  return read && allProposed ? 0 : 1;
}

int FillReadingsForCommand(const char* command, WordList list, WordFileFormat format) {
  std::unique_ptr<ReadingProposer> proposer = LoadProposer(command, nullptr);
  if (!proposer) return 2;
  const ReadingFillCount count = FillMissingReadings(list, *proposer, format);
  if (count.failed) {
    PrintError("lexiforge-cli %s: the reading proposer failed after %d row(s)\n", command, count.filled);
    return 2;
  }
  PrintError("lexiforge-cli %s: readings filled in %d row(s); %d word(s) without a proposal\n", command,
               count.filled, count.unproposed);
  if (count.unfit > 0) {
    PrintError("lexiforge-cli %s: %d of them because the reading or its baseform would not fit the file\n",
                 command, count.unfit);
  }
  if (count.unstored > 0) {
    PrintError("lexiforge-cli %s: out of memory: %d reading(s) not stored\n", command, count.unstored);
    return 1;
  }
  return 0;
}

bool FoldKatakanaForCommand(const char* command, WordList list) {
  const ReadingFoldCount count = FoldKatakanaReadings(list);
  PrintError("lexiforge-cli %s: katakana readings folded into hiragana in %d row(s)\n", command,
               count.folded);
  if (count.unstored == 0) return true;
  PrintError("lexiforge-cli %s: out of memory: %d reading(s) not folded\n", command, count.unstored);
  return false;
}
