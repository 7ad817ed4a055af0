#include "readings/unidic_readings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "convert/sjis_text.h"

namespace {

std::string Sjis(std::string_view utf8) {
  std::string sjis;
  if (!ConvertUtf8ToSjis(utf8, sjis)) ADD_FAILURE() << "not in code page 932: " << utf8;
  return sjis;
}

std::vector<std::string> Utf8Readings(const UnidicReadings& table, std::string_view utf8Word) {
  std::vector<std::string> out;
  for (const std::string& r : table.Find(Sjis(utf8Word))) {
    std::string utf8;
    out.push_back(ConvertSjisToUtf8(r, utf8) ? utf8 : "(not code page 932)");
  }
  return out;
}

// Table lines in UTF-8, converted and sorted by their code page 932 bytes
// as the table is made.
const std::vector<std::string> kLines = {
    "日\tヒ\tビ\tニチ",
    "日本\tニッポン\tニホン",
    "日本人\tニホンジン",
    "寿司\tスシ\tズシ",
    "亜\tア",
    "鰻\tウナギ",
    "提琴\tヴァイオリン\tバイオリン",  // one reading once folded
    "謎\tナゾ\tnazo\t謎",                // readings that are no kana
    "雲\tクモ\r",                        // a line ending CR LF
    "空",                                // a word without readings
    "風\t",
};

std::vector<std::string> SortedSjisLines() {
  std::vector<std::string> lines;
  for (const std::string& line : kLines) lines.push_back(Sjis(line));
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::string Joined(const std::vector<std::string>& lines, bool lastFeed) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  if (!lastFeed) text.pop_back();
  return text;
}

const struct {
  const char* word;
  std::vector<std::string> readings;
} kCases[] = {
    {"日", {"ひ", "び", "にち"}},         {"日本", {"にっぽん", "にほん"}}, {"日本人", {"にほんじん"}},
    {"寿司", {"すし", "ずし"}},           {"亜", {"あ"}},                   {"鰻", {"うなぎ"}},
    {"提琴", {"ばいおりん"}},             {"謎", {"なぞ"}},                 {"雲", {"くも"}},
    {"空", {}},                           {"風", {}},                       {"日本語", {}},
    {"本", {}},                           {"", {}},                         {"ア", {}},
    {"黑", {}},  // after every line
};

// Every word found by halves wherever its line lies, first and last lines
// included, with or without a line feed at the end; words that are not
// there, prefixes of words that are among them, find nothing.
TEST(UnidicReadings, FindsEachWordsReadingsInHiragana) {
  for (const bool lastFeed : {true, false}) {
    UnidicReadings table;
    table.Load(Joined(SortedSjisLines(), lastFeed));
    for (const auto& c : kCases) EXPECT_EQ(Utf8Readings(table, c.word), c.readings) << c.word << " " << lastFeed;
  }
  UnidicReadings empty;
  empty.Load("");
  EXPECT_TRUE(empty.Empty());
  EXPECT_TRUE(empty.Find(Sjis("日")).empty());
}

// A table out of order, or of arbitrary bytes, gives fewer readings, never
// wrong ones or a fault.
TEST(UnidicReadings, ADisorderedTableFindsLessButNothingWrong) {
  std::vector<std::string> lines = SortedSjisLines();
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::shuffle(lines.begin(), lines.end(), random);
    UnidicReadings table;
    table.Load(Joined(lines, true));
    for (const auto& c : kCases) {
      const std::vector<std::string> found = Utf8Readings(table, c.word);
      EXPECT_TRUE(found.empty() || found == c.readings) << c.word;
    }
  }
  UnidicReadings noise;
  noise.Load(std::string("\x81\n\t\t\n\x82\xa0\tx\x81", 11));
  EXPECT_TRUE(noise.Find("\x81").empty());
  EXPECT_TRUE(noise.Find(std::string_view("\x82\xa0", 2)).empty());
}

// Two kanji read as the table's two-kanji words read each kanji in that
// place, with the forms a reading takes in a compound, each part's count
// multiplied and ten times that where both parts are of one kind.
// 山 starts 山村 and 山林 as サン, 山道 as ヤマ; 川 ends 河川 as セン and
// 小川 as ガワ (voiced カワ); 村 ends 山村 as ソン, 北村 as ムラ; 学 starts
// 学校 as ガッ (ガク before a k-sound); 筆 ends 鉛筆 as ピツ (ヒツ after
// ン); 嶼, with no line of its own, ends 島嶼 as what 島's トウ leaves.
// Where a kanji's place shows no reading, the readings given for it alone.
TEST(UnidicReadings, PairsAreReadAsTheWordsOfTheirKanji) {
  std::vector<std::string> lines;
  for (const char* line : {"山\tヤマ\tサン", "川\tカワ\tセン", "林\tリン\tハヤシ", "村\tソン\tムラ", "道\tドウ\tミチ",
                           "河\tカ\tカワ", "小\tショウ\tコ", "北\tホク\tキタ", "学\tガク", "筆\tヒツ\tフデ",
                           "島\tトウ\tシマ", "山林\tサンリン", "山村\tサンソン", "山道\tヤマミチ", "河川\tカセン",
                           "小川\tオガワ", "林道\tリンドウ", "北村\tキタムラ", "学校\tガッコウ", "島嶼\tトウショ",
                           "鉛筆\tエンピツ"}) {
    lines.push_back(Sjis(line));
  }
  std::sort(lines.begin(), lines.end());
  UnidicReadings table;
  table.Load(Joined(lines, true));
  const struct {
    const char* word;
    size_t count;
    std::vector<std::string> readings;  // best first
    std::vector<std::string> firstAlone = {}, secondAlone = {};
  } kCases[] = {
      // 20 (2 x 1, both Sino-Japanese), 10 (1 x 1, both native), 2, 1.
      {"山川", 5, {"さんせん", "やまがわ", "さんがわ", "やません"}},
      {"山川", 1, {"さんせん"}},
      {"林村", 5, {"りんそん", "りんむら"}},
      {"学村", 5, {"がっそん"}},        // no っ before む
      {"山筆", 5, {"さんぴつ"}},        // a p-sound after ん alone
      {"山嶼", 5, {"さんしょ", "やましょ"}},
      {"村山", 5, {}},  // 村 starts no word
      // A kanji no word shows in its place read as it is read alone.
      {"嶼川", 5, {"しょせん", "しょがわ"}, {"しょ"}},
      {"山学", 5, {"さんがく", "やまがく"}, {}, {"がく"}},
      {"嶼学", 5, {}, {"しょ"}, {"がく"}},  // but not both
      {"山林道", 5, {}},
      {"山ア", 5, {}},
  };
  for (const auto& c : kCases) {
    std::vector<std::string> out;
    std::vector<std::string> firstAlone, secondAlone;
    for (const std::string& r : c.firstAlone) firstAlone.push_back(Sjis(r));
    for (const std::string& r : c.secondAlone) secondAlone.push_back(Sjis(r));
    for (const auto& [r, score] : table.PairReadings(Sjis(c.word), c.count, firstAlone, secondAlone)) {
      std::string utf8;
      out.push_back(ConvertSjisToUtf8(r, utf8) ? utf8 : "(not code page 932)");
    }
    EXPECT_EQ(out, c.readings) << c.word << " " << c.count;
  }
}

}  // namespace
