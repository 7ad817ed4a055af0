// lexiforge-cli readings: words in, proposed readings out, one line each.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_io.h"
#include "cli/commands.h"
#include "cli/fill_readings.h"
#include "cli/text_encoding.h"
#include "readings/reading_proposer.h"
#include "readings/system_text.h"
#include "wordlist/reading_fill.h"

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
    "                     Without it: dic/ beside the program, then Debian's\n"
    "                     mecab-ipadic-utf8 and skkdic.\n"
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

struct ReadingsRun {
  Encoding encoding = Encoding::kUtf8;
  ReadingProposer* proposer = nullptr;
  StdoutBuffer out;
  std::string sjis, reading, shown;
  bool allProposed = true;

  void Propose(std::string_view input, long lineNumber) {
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
        std::fprintf(stderr, "lexiforge-cli readings: line %ld %s\n", lineNumber, problem);
      } else {
        std::fprintf(stderr, "lexiforge-cli readings: argument %s\n", problem);
      }
      allProposed = false;
      return;
    }
    if (!proposer->Propose(sjis, reading)) allProposed = false;
    out.Append(input);
    out.Append('\t');
    if (encoding == Encoding::kUtf8) {
      // A proposal is hiragana, which UTF-8 always holds.
      if (Utf8FromSjis(reading, shown)) out.Append(shown);
    } else {
      out.Append(reading);
    }
    out.Append('\n');
  }
};

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
  ReadingsRun run;
  run.encoding = options.encoding;
  run.proposer = proposer.get();
  if (options.first < argc) {
    const int count = argc - options.first;
    const std::vector<std::string> words = options.encoding == Encoding::kUtf8
                                               ? Utf8Arguments(count, argv + options.first)
                                               : std::vector<std::string>(argv + options.first, argv + argc);
    for (const std::string& word : words) run.Propose(word, 0);
  } else {
    std::string input;
    if (!ReadAllStandardInput("readings", input)) return 1;
    long lineNumber = 0;
    size_t start = 0;
    while (start < input.size()) {
      size_t end = input.find('\n', start);
      if (end == std::string::npos) end = input.size();
      std::string_view line(input.data() + start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      run.Propose(line, ++lineNumber);
      start = end + 1;
    }
  }
  return run.allProposed ? 0 : 1;
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
