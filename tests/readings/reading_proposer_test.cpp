#include "readings/reading_proposer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "convert/sjis_text.h"
#include "readings/program_folder.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Sjis932(std::string_view utf8) {
  std::string sjis;
  if (!ConvertUtf8ToSjis(utf8, sjis)) ADD_FAILURE() << "not in code page 932: " << utf8;
  return sjis;
}

// The dictionaries as the build stages them beside the test (dic/, from
// Debian's packages), loaded once for every test.
class ProposerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ReadingDictionaries dictionaries;
    if (!FindReadingDictionaries(ProgramFolder(), dictionaries)) return;
    DictionaryFault fault;
    proposer_ = ReadingProposer::Load(dictionaries, fault).release();
  }
  static void TearDownTestSuite() {
    delete proposer_;
    proposer_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(proposer_, nullptr) << "install mecab-ipadic-utf8 and skkdic (scripts/install-deps.sh)";
    ASSERT_TRUE(proposer_->HasSkk());
    ASSERT_TRUE(proposer_->HasUnidic());
  }

  // The proposal for `word` in UTF-8, or "(none)".
  static std::string Proposal(std::string_view word) {
    std::string reading, utf8;
    if (!proposer_->Propose(Sjis932(word), reading)) return reading.empty() ? "(none)" : "(half: " + reading + ")";
    return ConvertSjisToUtf8(reading, utf8) ? utf8 : "(not code page 932)";
  }

  static ReadingProposer* proposer_;
};

ReadingProposer* ProposerTest::proposer_ = nullptr;

TEST_F(ProposerTest, CandidatesListTheReadingsOfAmbiguousWords) {
  // Which words are read right first is the golden list's business
  // (golden_readings_test.cpp); here, that the other readings are at hand.
  const struct {
    const char* word;
    std::vector<std::string> among;
  } cases[] = {
      {"日本", {"にほん", "にっぽん"}},
      {"一寸", {"ちょっと", "いっすん"}},
      {"１０個", {"じゅっこ", "じっこ"}},
      {"握り寿司", {"にぎりずし", "にぎりすし"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> listed;
    for (const std::string& r : proposer_->Candidates(Sjis932(c.word))) {
      std::string utf8;
      ASSERT_TRUE(ConvertSjisToUtf8(r, utf8));
      listed.push_back(utf8);
    }
    for (const std::string& r : c.among) {
      EXPECT_NE(std::find(listed.begin(), listed.end(), r), listed.end()) << c.word << " lacks " << r;
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(std::adjacent_find(listed.begin(), listed.end()), listed.end()) << c.word << ": a reading twice";
  }
  // A kana word has its own reading alone.
  EXPECT_EQ(proposer_->Candidates(Sjis932("テレビ")).size(), 1u);
}

// Symbols have no reading (golden_readings.tsv lists them), not even the
// analyser's own.
TEST_F(ProposerTest, NoHalfProposals) {
  std::string reading = "left over";
  EXPECT_FALSE(proposer_->ProposeByAnalyser(Sjis932("。"), reading));
  EXPECT_EQ(Proposal(""), "(none)");
  EXPECT_TRUE(proposer_->Candidates("").empty());
  reading = "left over";
  EXPECT_FALSE(proposer_->Propose("\x82", reading));  // a lead byte cut off
  EXPECT_EQ(reading, "");
  EXPECT_FALSE(proposer_->Propose(std::string(300, 'a'), reading));  // longer than a row holds
}

// Beside the program first; Debian's folder only where Debian's folders can
// be: a Windows program knows no drive that holds them.
TEST(ReadingDictionaryFolders, BesideTheProgramFirstThenDebian) {
  const std::vector<std::string> folders = ReadingDictionaryFolders("C:\\x");
#ifdef _WIN32
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0], "C:\\x\\dic");
  EXPECT_TRUE(ReadingDictionaryFolders("").empty());
#else
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0], "C:\\x/dic");
  EXPECT_EQ(folders[1], "/var/lib/mecab/dic/ipadic-utf8");
  EXPECT_EQ(ReadingDictionaryFolders(""), std::vector<std::string>{folders[1]});
#endif
  // The folder beside the program: the staged dictionaries, SKK's among them.
  ReadingDictionaries found;
  ASSERT_TRUE(FindReadingDictionaries(ProgramFolder(), found));
  EXPECT_EQ(found.ipadic.rfind(ProgramFolder(), 0), 0u) << found.ipadic;
  EXPECT_EQ(found.skk.rfind(ProgramFolder(), 0), 0u) << found.skk;
  EXPECT_EQ(found.unidic.rfind(ProgramFolder(), 0), 0u) << found.unidic;
}

TEST(ReadingDictionaryFolders, AFolderCountsOnlyWithAnIpaDictionary) {
  TempFolder empty;
  ReadingDictionaries found;
  EXPECT_FALSE(FindDictionariesIn(empty.PathOf(""), found));

  TempFolder dic;
  std::filesystem::create_directory(dic.PathOf("ipadic"));
  dic.Write("ipadic/sys.dic", "not a dictionary");
  dic.Write("ipadic/dicrc", "");
  dic.Write("SKK-JISYO.L", "");
  ASSERT_TRUE(FindDictionariesIn(dic.PathOf(""), found));
  EXPECT_NE(found.ipadic.find("ipadic"), std::string::npos);
  EXPECT_NE(found.skk.find("SKK-JISYO.L"), std::string::npos);
  EXPECT_TRUE(found.unidic.empty());
  dic.Write("unidic-readings.txt", "");
  ASSERT_TRUE(FindDictionariesIn(dic.PathOf(""), found));
  EXPECT_NE(found.unidic.find("unidic-readings.txt"), std::string::npos);

  // A broken dictionary is a failure naming a file, not a proposer.
  DictionaryFault fault;
  EXPECT_EQ(ReadingProposer::Load(found, fault), nullptr);
  EXPECT_NE(fault.problem, DictionaryProblem::kNone);
  EXPECT_NE(fault.file.find("ipadic"), std::string::npos);
}

}  // namespace
