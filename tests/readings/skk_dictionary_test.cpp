#include "readings/skk_dictionary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Readings(const SkkReadings& skk, std::string_view word) {
  std::vector<std::string> out;
  for (const std::string& r : skk.Find(word)) out.push_back(r);
  return out;
}

// EUC-JP lines as SKK-JISYO.L has them; the expected words and readings are
// their code page 932 forms.
constexpr char kDictionary[] =
    ";; okuri-ari entries.\n"
    "\xa4\xa2\xa4\xe9u /\xc0\xf6/[\xa4\xa6/\xc0\xf6/]/\n"  // あらu /洗/[う/洗/]/: a stem before okurigana
    ";; okuri-nasi entries.\n"
    // かんじ /漢字/幹事;注釈/(concat "x")/#1/
    "\xa4\xab\xa4\xf3\xa4\xb8 /\xb4\xc1\xbb\xfa/\xb4\xb4\xbb\xf6;\xc3\xed\xbc\xe1/(concat \"x\")/#1/\n"
    "\xa4\xab\xa4\xf3\xa4\xb7 /\xb4\xc6\xbb\xeb/\xb4\xc1\xbb\xfa/\n"  // かんし /監視/漢字/
    "\xa4\xa4\xa4\xf3 /\xb1\xa1/\x8f\xb0\xa1/\n"                        // いん /院/ and a JIS X 0212 kanji
    "\xa4\xae\xa4\xe7\xa4\xa6 /\xdf\xa1/\n"                             // ぎょう /堯/
    "ABC /\xb4\xc1\xbb\xfa/\n"                                           // a reading that is not hiragana
    "broken line without candidates\n"
    "\xa4\xf0\xa4\xc9 /\xb0\xe6\xb8\xcd/\n"                             // ゐど /井戸/: read いど today
    "\xa4\xdf\xa4\xab /\xbb\xb0\xc6\xfc;[\xb8\xc5\xb8\xec]/\n"               // みか /三日;[古語]/
    "\xa4\xdf\xa4\xc3\xa4\xab /\xbb\xb0\xc6\xfc/\n"                       // みっか /三日/
    "\xa4\xab /\xb2\xc3";  // か /加, the last line cut off

// Words get their readings in file order, those annotated archaic last,
// EUC rows odd and even and high mapped to code page 932; what is not a
// word with a hiragana reading is left out.
TEST(SkkReadings, WordsGetTheirHiraganaReadingsInCodePage932) {
  SkkReadings skk;
  skk.Load(kDictionary);
  const struct {
    const char* word;
    std::vector<std::string> readings;
  } cases[] = {
      {"\x8a\xbf\x8e\x9a", {"\x82\xa9\x82\xf1\x82\xb6", "\x82\xa9\x82\xf1\x82\xb5"}},  // 漢字 かんじ かんし
      {"\x8a\xb2\x8e\x96", {"\x82\xa9\x82\xf1\x82\xb6"}},                                // 幹事
      {"\x8a\xc4\x8e\x8b", {"\x82\xa9\x82\xf1\x82\xb5"}},                                // 監視
      {"\x89\x40", {"\x82\xa2\x82\xf1"}},                                                // 院 いん
      {"\xe0\x40", {"\x82\xac\x82\xe5\x82\xa4"}},                                        // 堯 ぎょう
      {"\x89\xc1", {"\x82\xa9"}},                                                        // 加 か
      {"\x88\xe4\x8c\xcb", {"\x82\xa2\x82\xc7"}},                                        // 井戸 いど
      {"\x8e\x4f\x93\xfa", {"\x82\xdd\x82\xc1\x82\xa9", "\x82\xdd\x82\xa9"}},              // 三日 みっか みか
      {"\x90\xf4", {}},  // 洗: okuri-ari, a stem and no word
      {"(concat \"x\")", {}},
      {"#1", {}},
      {"\x92\x8d\x8e\xdf", {}},  // 注釈 was an annotation
  };
  for (const auto& c : cases) EXPECT_EQ(Readings(skk, c.word), c.readings) << c.word;
  const std::vector<SkkReadings::Stem> stems = skk.FindStems("\x90\xf4");
  ASSERT_EQ(stems.size(), 1u);
  EXPECT_EQ(stems[0].reading, "\x82\xa0\x82\xe7");  // あら
  EXPECT_EQ(stems[0].okuri, 'u');
  EXPECT_TRUE(skk.FindStems("\x8a\xbf\x8e\x9a").empty());  // 漢字 is a word, no stem
  // 洗 (a stem, again inside its okuri block), 漢字 (twice), 幹事, 監視, 院,
  // the JIS X 0212 kanji (which no code page 932 word can find), 堯, 井戸,
  // 三日 (twice), 加.
  EXPECT_EQ(skk.EntryCount(), 13u);
}

// Single kanji with readings both native and Sino-Japanese, and two-kanji
// words whose readings show which a compound takes.
constexpr char kKanjiReadings[] =
    "\xa4\xac\xa4\xaf\x20\x2f\xb3\xd8\x2f\x0a"  // がく /学/
    "\xa4\xde\xa4\xca\xa4\xd3\x20\x2f\xb3\xd8\x2f\x0a"  // まなび /学/
    "\xa4\xac\xa4\xaf\xa4\xbb\xa4\xa4\x20\x2f\xb3\xd8\xc0\xb8\x2f\x0a"  // がくせい /学生/
    "\xa4\xc0\xa4\xa4\xa4\xac\xa4\xaf\x20\x2f\xc2\xe7\xb3\xd8\x2f\x0a"  // だいがく /大学/
    "\xa4\xbb\xa4\xa4\x20\x2f\xc0\xb8\x2f\x0a"  // せい /生/
    "\xa4\xca\xa4\xde\x20\x2f\xc0\xb8\x2f\x0a"  // なま /生/
    "\xa4\xc0\xa4\xa4\x20\x2f\xc2\xe7\x2f\x0a"  // だい /大/
    "\xa4\xaa\xa4\xaa\x20\x2f\xc2\xe7\x2f\x0a"  // おお /大/
    "\xa4\xe4\xa4\xb8\xa4\xea\x20\x2f\xef\xb7\x2f\x0a"  // やじり /鏃/
    "\xa4\xbe\xa4\xaf\x20\x2f\xef\xb7\x2f\x0a";  // ぞく /鏃/

// A kanji takes the reading its compounds confirm, or else its shortest.
TEST(SkkReadings, AKanjiTakesTheReadingItsCompoundsConfirm) {
  SkkReadings skk;
  skk.Load(kKanjiReadings);
  const std::pair<const char*, const char*> cases[] = {
      {"\x8a\x77", "\x82\xaa\x82\xad"},  // 学: がく, as in 学生 and 大学
      {"\x90\xb6", "\x82\xb9\x82\xa2"},  // 生: せい, as at the end of 学生
      {"\x91\xe5", "\x82\xbe\x82\xa2"},  // 大: だい, as at the start of 大学
      {"\xe8\x56", "\x82\xbc\x82\xad"},  // 鏃: ぞく rather than やじり, no compound
      {"\x8a\xbf", ""},                  // no reading of its own
      {"\x8a\x77\x90\xb6", ""},          // not one kanji
  };
  for (const auto& [kanji, reading] : cases) EXPECT_EQ(skk.CompoundReading(kanji), reading) << kanji;
}

}  // namespace
