// The reading proposer over a word file (Shift-JIS, one word per line, the
// first tab-separated field): how long loading takes, proposals per second,
// memory with the dictionaries loaded; then the whole candidate lists, and
// the start of a program that reads one word (load and the proposal for the
// first word with a kanji, which the dictionaries are looked up for).
// With an output file it also writes
// WORD<TAB>PROPOSAL<TAB>ANALYSER'S READING<TAB>CANDIDATE... per word
// (Shift-JIS), for bench/reading_accuracy.py.
// usage: reading_proposer_bench [--dictionary DIR] WORDS.txt [OUT.txt]
// The dictionaries are those in DIR (as lexiforge-cli's --dictionary takes
// it), else those the programs find.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "convert/sjis_text.h"
#include "readings/program_folder.h"
#include "readings/reading_proposer.h"

namespace {

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Processor time, which other programs on a busy machine do not inflate.
double CpuSecondsSince(std::clock_t start) { return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC; }

}  // namespace

int main(int argc, char** argv) {
  const char* folder = nullptr;
  if (argc > 2 && std::string(argv[1]) == "--dictionary") {
    folder = argv[2];
    argc -= 2;
    argv += 2;
  }
  if (argc < 2) {
    std::fputs("usage: reading_proposer_bench [--dictionary DIR] WORDS.txt [OUT.txt]\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  std::vector<std::string> words;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = line.substr(0, line.find('\t'));
    if (!line.empty()) words.push_back(line);
  }
  if (words.empty()) {
    std::fprintf(stderr, "no words in %s\n", argv[1]);
    return 2;
  }

  const long before = ResidentKilobytes();
  auto start = std::chrono::steady_clock::now();
  std::clock_t cpuStart = std::clock();
  ReadingDictionaries dictionaries;
  if (folder ? !FindDictionariesIn(folder, dictionaries) : !FindReadingDictionaries(ProgramFolder(), dictionaries)) {
    std::fputs("no IPA dictionary found (install mecab-ipadic-utf8)\n", stderr);
    return 2;
  }
  DictionaryFault fault;
  std::unique_ptr<ReadingProposer> proposer = ReadingProposer::Load(dictionaries, fault);
  if (!proposer) {
    std::fprintf(stderr, "cannot load %s\n", fault.file.c_str());
    return 2;
  }
  const double loadSeconds = SecondsSince(start);
  // The first word with a kanji, which the dictionaries are looked up for.
  const auto hasKanji = [](const std::string& word) {
    for (size_t at = 0; at < word.size(); at += SjisStepLength(std::string_view(word).substr(at))) {
      if (IsSjisKanjiLeadByte(static_cast<unsigned char>(word[at]))) return true;
    }
    return false;
  };
  const auto firstKanji = std::find_if(words.begin(), words.end(), hasKanji);
  std::string first;
  proposer->Propose(firstKanji != words.end() ? *firstKanji : words.front(), first);
  const double startSeconds = SecondsSince(start), startCpu = CpuSecondsSince(cpuStart);
  const long loaded = ResidentKilobytes();

  std::vector<std::string> proposals(words.size());
  start = std::chrono::steady_clock::now();
  cpuStart = std::clock();
  size_t proposed = 0;
  for (size_t i = 0; i < words.size(); ++i) proposed += proposer->Propose(words[i], proposals[i]);
  const double proposeSeconds = SecondsSince(start), proposeCpu = CpuSecondsSince(cpuStart);
  std::vector<std::vector<std::string>> candidates(words.size());
  start = std::chrono::steady_clock::now();
  cpuStart = std::clock();
  for (size_t i = 0; i < words.size(); ++i) candidates[i] = proposer->Candidates(words[i]);
  const double candidateSeconds = SecondsSince(start), candidateCpu = CpuSecondsSince(cpuStart);

  std::printf("dictionaries: %s%s%s%s%s\n", dictionaries.ipadic.c_str(), dictionaries.skk.empty() ? "" : ", ",
              dictionaries.skk.c_str(), dictionaries.unidic.empty() ? "" : ", ", dictionaries.unidic.c_str());
  std::printf("load: %.3f s; load and the first word: %.3f s (%.3f s processor); resident memory %ld KiB before, "
              "%ld KiB loaded (+%ld KiB)\n",
              loadSeconds, startSeconds, startCpu, before, loaded, loaded - before);
  std::printf("proposals: %zu words in %.3f s (%.3f s processor, %.0f words/s), %zu proposed\n", words.size(),
              proposeSeconds, proposeCpu, static_cast<double>(words.size()) / proposeSeconds, proposed);
  std::printf("candidate lists: %zu words in %.3f s (%.3f s processor, %.1f x the proposals)\n", words.size(),
              candidateSeconds, candidateCpu, candidateCpu / proposeCpu);

  if (argc > 2) {
    std::ofstream out(argv[2], std::ios::binary);
    std::string analyser;
    for (size_t i = 0; i < words.size(); ++i) {
      proposer->ProposeByAnalyser(words[i], analyser);
      out << words[i] << '\t' << proposals[i] << '\t' << analyser;
      for (const std::string& c : candidates[i]) out << '\t' << c;
      out << '\n';
    }
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", argv[2]);
      return 1;
    }
  }
  return 0;
}
