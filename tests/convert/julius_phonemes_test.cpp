// The Julius kana rules against their sequences written out as data, row by
// row: every listed sequence converts to its listed phonemes (or is
// refused), every rule of the table is listed with the same phonemes, and
// nothing converts to a phoneme outside Julius's Japanese set.

#include "convert/julius_phonemes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "tests/sjis_literal.h"
#include "tests/support/tab_separated_rows.h"

namespace {

const std::set<std::string> kJuliusPhonemes = {
    "a", "i",  "u", "e",  "o", "a:", "i:", "u:", "e:", "o:", "N", "q",  "k",  "ky", "s",  "sh", "t", "ch", "ts", "n",
    "ny", "h", "hy", "f", "m", "my", "y",  "r",  "ry", "w",  "g", "gy", "z",  "j",  "d",  "dy", "b", "by", "p",  "py"};

TEST(JuliusPhonemes, EveryListedSequenceAndEveryRuleAgree) {
  std::map<std::string, std::string> listed;  // Shift-JIS key -> phonemes or "-"
  for (const auto& [utf8, phonemes] : ReadTabSeparatedRows(LEXIFORGE_CONVERT_TEST_DATA "/julius_phonemes.txt")) {
    SCOPED_TRACE(utf8);
    const std::string key = Sjis(utf8);
    EXPECT_TRUE(listed.emplace(key, phonemes).second) << "listed twice";
    std::string out = "kept";
    const bool converted = AppendJuliusPhonemes(key, out);
    if (phonemes == "-") {
      EXPECT_FALSE(converted) << out;
      continue;
    }
    EXPECT_TRUE(converted);
    EXPECT_EQ(out, "kept" + phonemes) << "appended, with no space before the first";
    std::istringstream symbols(phonemes);
    for (std::string symbol; symbols >> symbol;) EXPECT_TRUE(kJuliusPhonemes.count(symbol)) << symbol;
  }
  for (const JuliusKanaRule& rule : JuliusKanaRules) {
    const auto found = listed.find(rule.key);
    ASSERT_NE(found, listed.end()) << "a rule that is not listed: " << rule.phonemes;
    EXPECT_EQ(found->second, rule.phonemes);
  }
}

TEST(JuliusPhonemes, RefusesWhatIsNoReading) {
  std::string out;
  EXPECT_FALSE(AppendJuliusPhonemes("", out));
  EXPECT_FALSE(AppendJuliusPhonemes(Sjis("か").substr(0, 1), out)) << "a lone lead byte";
  EXPECT_FALSE(AppendJuliusPhonemes(Sjis("かき").substr(0, 3), out)) << "cut inside its last character";
  EXPECT_FALSE(AppendJuliusPhonemes("\x82\xF2", out)) << "past \"ん\"";
  EXPECT_FALSE(AppendJuliusPhonemes("\x82\x9E", out)) << "before \"ぁ\"";
}

}  // namespace
