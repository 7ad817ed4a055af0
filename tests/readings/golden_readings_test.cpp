// The proposer against a list of words with the readings people accept,
// written by hand (golden_readings.tsv): every word is compared, the misses
// are listed, and the test fails when a word of a rule misses or when fewer
// everyday words than the share below are read right.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "readings/program_folder.h"
#include "readings/reading_proposer.h"
#include "convert/sjis_text.h"

namespace {

// Everyday words the first candidate must read right. The proposer reads
// about 99 % of them (four misses); a few more may change with the
// dictionaries.
constexpr double kEverydayShare = 0.97;

struct GoldenWord {
  std::string word, kind;  // UTF-8
  std::vector<std::string> accepted;  // UTF-8; "-" for no proposal
  int line = 0;
};

std::vector<GoldenWord> ReadGoldenList() {
  std::ifstream in(LEXIFORGE_READINGS_TEST_DATA "/golden_readings.tsv", std::ios::binary);
  std::vector<GoldenWord> words;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    GoldenWord w;
    std::string accepted;
    std::getline(fields, w.word, '\t');
    std::getline(fields, accepted, '\t');
    std::getline(fields, w.kind, '\t');
    std::istringstream alternatives(accepted);
    for (std::string a; std::getline(alternatives, a, '|');) w.accepted.push_back(a);
    w.line = number;
    words.push_back(std::move(w));
  }
  return words;
}

std::string Utf8(const std::string& sjis) {
  std::string utf8;
  return ConvertSjisToUtf8(sjis, utf8) ? utf8 : "(not code page 932)";
}

// Each line is read with every dictionary, and once more without UniDic's
// table (but for the words only it knows), so that the rules reading words
// SKK and the analyser know are tested whatever UniDic also knows.
TEST(GoldenReadings, TheFirstCandidateIsAnAcceptedReading) {
  const std::vector<GoldenWord> golden = ReadGoldenList();
  ASSERT_GT(golden.size(), 300u) << "golden_readings.tsv not found or cut short";
  ReadingDictionaries all;
  ASSERT_TRUE(FindReadingDictionaries(ProgramFolder(), all)) << "install mecab-ipadic-utf8 and skkdic";
  ASSERT_FALSE(all.unidic.empty()) << "no unidic-readings.txt beside the test";
  ReadingDictionaries withoutUnidic = all;
  withoutUnidic.unidic.clear();

  for (const ReadingDictionaries& dictionaries : {all, withoutUnidic}) {
    const bool unidic = !dictionaries.unidic.empty();
    SCOPED_TRACE(unidic ? "with UniDic" : "without UniDic");
    DictionaryFault fault;
    std::unique_ptr<ReadingProposer> proposer = ReadingProposer::Load(dictionaries, fault);
    ASSERT_NE(proposer, nullptr) << fault.file;
    ASSERT_TRUE(proposer->HasSkk());

    int everyday = 0, everydayRight = 0;
    std::string misses;
    for (const GoldenWord& w : golden) {
      if (!unidic && w.kind == "unidic") continue;
      std::string sjis, proposal;
      ASSERT_TRUE(ConvertUtf8ToSjis(w.word, sjis)) << "line " << w.line;
      const std::vector<std::string> candidates = proposer->Candidates(sjis);
      const bool proposed = proposer->Propose(sjis, proposal);
      // Propose gives the first candidate, or nothing with nothing.
      EXPECT_EQ(proposed, !candidates.empty()) << w.word;
      EXPECT_EQ(proposal, candidates.empty() ? "" : candidates.front()) << w.word;
      EXPECT_LE(candidates.size(), ReadingProposer::kMaxCandidates);

      const std::string got = proposed ? Utf8(proposal) : "-";
      const bool right = std::find(w.accepted.begin(), w.accepted.end(), got) != w.accepted.end();
      if (w.kind == "word") {
        ++everyday;
        everydayRight += right;
      } else if (!right) {
        ADD_FAILURE() << "line " << w.line << " (" << w.kind << "): " << w.word << " read " << got;
      }
      if (!right) misses += "  " + w.word + " " + got + " (" + w.kind + ")\n";
    }
    ASSERT_GT(everyday, 0);
    const double share = static_cast<double>(everydayRight) / everyday;
    std::printf("golden readings %s: %d of %d everyday words right (%.1f %%); misses:\n%s",
                unidic ? "with UniDic" : "without UniDic", everydayRight, everyday, 100.0 * share, misses.c_str());
    EXPECT_GE(share, kEverydayShare) << misses;
  }
}

}  // namespace
