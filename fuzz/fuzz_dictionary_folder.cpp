// A dictionary folder made from the input (see dictionary_folder_input.h)
// goes through the checks and into the analyser, which then reads a few
// words: nothing it holds may crash, hang or take memory out of proportion.
// Seeds: small dictionaries compiled by MeCab's own compiler
// (fuzz/make_dictionary_seeds.py).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/dictionary_folder_input.h"
#include "fuzz/fuzz_support.h"
#include "readings/reading_proposer.h"
#include "convert/sjis_text.h"

namespace {

// Words that reach the system dictionary, unknown-word handling by each
// character category, symbols and "々".
const std::vector<std::string>& Words() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> sjis;
    for (const char* utf8 : {"東京都", "民主々義", "音声認識に", "人々", "々", "アイウエオ", "ひらがな", "abc123",
                             "。！", "漢字未知語彙", "ｱｲｳ", "東京　都"}) {
      std::string word;
      Require(ConvertUtf8ToSjis(utf8, word), "a word of the target is not in code page 932");
      sjis.push_back(word);
    }
    return sjis;
  }();
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string folder = FuzzFilePath("dic");
  static const bool made = std::filesystem::create_directories(folder) || true;
  (void)made;
  Require(WriteDictionaryFolder(std::string_view(reinterpret_cast<const char*>(data), size), folder),
          "cannot write the dictionary folder");
  DictionaryFault fault;
  std::unique_ptr<ReadingProposer> proposer = ReadingProposer::Load({folder, ""}, fault);
  if (!proposer) {
    Require(fault.problem != DictionaryProblem::kNone && !fault.file.empty(), "a refusal without a fault");
    return 0;
  }
  Require(fault.problem == DictionaryProblem::kNone, "a proposer with a fault");
  std::string reading;
  for (const std::string& word : Words()) {
    proposer->Propose(word, reading);
    proposer->ProposeByAnalyser(word, reading);
  }
  Require(!proposer->Failed(), "the proposer failed");
  return 0;
}
