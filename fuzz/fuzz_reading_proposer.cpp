// Any bytes given as a word (a row of a file from anywhere) go through the
// reading proposer with the dictionaries in dic/ beside the target (the IPA
// dictionary, SKK's and UniDic's readings): no crash, no
// fault, and what comes out is whole: readings that make a baseform, each
// once, the first of them Propose's.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "convert/reading_conversion.h"
#include "fuzz/fuzz_support.h"
#include "readings/program_folder.h"
#include "readings/reading_proposer.h"

namespace {

ReadingProposer& TheProposer() {
  static std::unique_ptr<ReadingProposer> proposer = [] {
    ReadingDictionaries dictionaries;
    Require(FindReadingDictionaries(ProgramFolder(), dictionaries), "install mecab-ipadic-utf8 and skkdic");
    Require(!dictionaries.unidic.empty(), "no dic/unidic-readings.txt beside the target");
    DictionaryFault fault;
    std::unique_ptr<ReadingProposer> loaded = ReadingProposer::Load(dictionaries, fault);
    Require(loaded != nullptr, "the dictionaries do not load");
    return loaded;
  }();
  return *proposer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadingProposer& proposer = TheProposer();
  const std::string word(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> candidates = proposer.Candidates(word);
  std::string reading;
  const bool proposed = proposer.Propose(word, reading);
  Require(!proposer.Failed(), "the proposer failed");
  Require(proposed == !candidates.empty(), "Propose and the candidates disagree");
  Require(!proposed || reading == candidates.front(), "Propose is not the first candidate");
  Require(candidates.size() <= ReadingProposer::kMaxCandidates, "too many candidates");
  for (size_t i = 0; i < candidates.size(); ++i) {
    char baseform[kBaseformSize];
    Require(candidates[i].size() < kBaseformSize && ConvertReadingToBaseform(candidates[i].c_str(), baseform) == 1,
            "a candidate that makes no whole baseform");
    for (size_t j = 0; j < i; ++j) Require(candidates[j] != candidates[i], "a candidate twice");
  }
  return 0;
}
