#include "readings/reading_proposer.h"

#include <gtest/gtest.h>

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
    std::string error;
    proposer_ = ReadingProposer::Load(dictionaries, error).release();
  }
  static void TearDownTestSuite() {
    delete proposer_;
    proposer_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(proposer_, nullptr) << "install mecab-ipadic-utf8 and skkdic (scripts/install-deps.sh)";
    ASSERT_TRUE(proposer_->HasSkk());
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

TEST_F(ProposerTest, SettledWords) {
  EXPECT_EQ(Proposal("音声認識"), "おんせいにんしき");
  EXPECT_EQ(Proposal("東京都"), "とうきょうと");
  EXPECT_EQ(Proposal("日本語"), "にほんご");
}

TEST_F(ProposerTest, KatakanaWordsAreTheirOwnReading) {
  EXPECT_EQ(Proposal("コンピューター"), "こんぴゅーたー");
  EXPECT_EQ(Proposal("ヴァイオリン"), "ばいおりん");
  EXPECT_EQ(Proposal("ひらがな"), "ひらがな");
}

TEST_F(ProposerTest, IterationMarksAndSmallKe) {
  EXPECT_EQ(Proposal("人々"), "ひとびと");
  EXPECT_EQ(Proposal("佐々木"), "ささき");
  EXPECT_EQ(Proposal("時々"), "ときどき");
  EXPECT_EQ(Proposal("霞ヶ関"), "かすみがせき");
  EXPECT_EQ(Proposal("一ヶ月"), "いっかげつ");
}

TEST_F(ProposerTest, NoHalfProposals) {
  EXPECT_EQ(Proposal("ABC"), "(none)");
  EXPECT_EQ(Proposal("Linux"), "(none)");
  EXPECT_EQ(Proposal("彁"), "(none)");  // a kanji with no known reading
  EXPECT_EQ(Proposal("東京彁"), "(none)");
  EXPECT_EQ(Proposal(""), "(none)");
  std::string reading = "left over";
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

  // A broken dictionary is a failure with a reason, not a proposer.
  std::string error;
  EXPECT_EQ(ReadingProposer::Load(found, error), nullptr);
  EXPECT_NE(error.find("IPA dictionary"), std::string::npos);
}

TEST_F(ProposerTest, KanjiTheAnalyserLacksAreReadAsInCompounds) {
  EXPECT_EQ(Proposal("痙直"), "けいちょく");  // 痙 is not in the IPA dictionary
  EXPECT_EQ(Proposal("鹹水"), "かんすい");
}

TEST_F(ProposerTest, AnUnknownCompoundOfKanjiIsReadSinoJapanese) {
  // The analyser reads each kanji as its own native word (にかわ, うるし;
  // くも, かげ); neither dictionary has the compound.
  EXPECT_EQ(Proposal("雲翳"), "うんえい");
  EXPECT_EQ(Proposal("蚕蛹"), "さんよう");
}

}  // namespace
