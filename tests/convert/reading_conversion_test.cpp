// Reading-to-baseform conversion: the worked examples, the results -1 and -2,
// long readings, and agreement over random readings with the algorithm taken
// literally: a plain scan of the rows the data file lists (the product looks
// keys up through an index into its own table instead).

#include "convert/reading_conversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "tests/convert/listed_kana_rows.h"
#include "tests/sjis_literal.h"

namespace {

struct Converted {
  int result;
  std::string baseform;
};

// Through both forms of the call, which must agree: the NUL-terminated
// reading, and the reading as a view whose baseform comes with its length.
Converted Convert(const std::string& sjisReading) {
  char baseform[kBaseformSize], viewed[kBaseformSize];
  for (char* buffer : {baseform, viewed}) {
    std::memset(buffer, 'x', kBaseformSize - 1);
    buffer[kBaseformSize - 1] = '\0';
  }
  const int result = ConvertReadingToBaseform(sjisReading.c_str(), baseform);
  size_t length = 12345;
  EXPECT_EQ(ConvertReadingToBaseform(std::string_view(sjisReading), viewed, length), result) << sjisReading;
  EXPECT_EQ(length, result >= 0 ? std::strlen(viewed) : 12345u) << sjisReading;
  EXPECT_STREQ(viewed, baseform) << sjisReading;
  return {result, baseform};
}

TEST(ConvertReadingToBaseform, WorkedExamples) {
  const struct {
    const char* reading;
    const char* baseform;
    int result;
  } examples[] = {
      {"きゃー", "ky a a:", 1},      {"かっぱ", "k a Qp a", 1},
      {"がっき", "g a Qky i", 1},    {"らーめん", "r a a: m e _n", 1},
      {"ほんとう", "h o _n t o u", 1}, {"しょう", "sh o u", 1},
      {"じょう", "j o o:", 1},       {"きぃ", "k i", 1},
      {"っう", "u", 1},              {"かぃ", "k a *", 0},
      {"っ", "*", 0},                {"っっか", "* Qk a", 0},
      {"きゃーー", "ky a a: *", 0},  {"んー", "_n *", 0},
      {"っばぁー", "Qb a a: *", 0},  {"っまー", "m a *", 0},
      {"わぃー", "w a i *", 0},      {"びぇ", "b i *", 0},
      {"ゆぃ", "y u *", 0},          {"っな", "* n a", 0},
      {"ー", "*", 0},                {"ゃ", "*", 0},
  };
  for (const auto& e : examples) {
    const Converted c = Convert(Sjis(e.reading));
    EXPECT_EQ(c.result, e.result) << e.reading;
    EXPECT_EQ(c.baseform, e.baseform) << e.reading;
  }
}

TEST(ConvertReadingToBaseform, EmptyOrInvalidReadingLeavesTheDestinationAlone) {
  const std::string kept(kBaseformSize - 1, 'x');
  const struct {
    std::string reading;
    int result;
  } cases[] = {
      {"", -1},
      {Sjis("カタカナ"), -2},
      {Sjis("か") + "a", -2},                  // odd length: last byte pairs with the NUL
      {Sjis("かき").substr(0, 3), -2},         // lead byte cut off at the end
      {"abc", -2},
      {Sjis(" か"), -2},
      {Sjis("\u3000か"), -2},                  // ideographic space
      {Sjis("ｶ"), -2},                         // half-width katakana
      {Sjis("単語"), -2},
      {"\x82\x9e", -2},                        // just below "ぁ"
      {"\x82\xf2", -2},                        // just above "ん"
      {"\x81\x5a", -2},
      {"\xff\xff\xff", -2},
  };
  for (const auto& c : cases) {
    const Converted got = Convert(c.reading);
    EXPECT_EQ(got.result, c.result) << c.reading;
    EXPECT_EQ(got.baseform, kept) << c.reading;
  }
  // A view ends where it ends: a NUL inside is a byte like any other.
  char baseform[kBaseformSize] = "kept";
  size_t length = 0;
  EXPECT_EQ(ConvertReadingToBaseform(Sjis("か") + '\0' + Sjis("か"), baseform, length), -2);
  EXPECT_STREQ(baseform, "kept");
}

TEST(ConvertReadingToBaseform, FortyCharactersOfFourLetterPhonemesMake199Bytes) {
  std::string reading;
  for (int i = 0; i < 40; ++i) reading += Sjis("し");
  const Converted c = Convert(reading);
  EXPECT_EQ(c.result, 1);
  ASSERT_EQ(c.baseform.size(), 199u);
  EXPECT_EQ(c.baseform.substr(0, 10), "sh i sh i ");
  EXPECT_EQ(c.baseform.back(), 'i');
}

// A reading whose baseform would pass the field's 255 bytes ends after the
// last whole key that fits: never a partial symbol, never a trailing space.
TEST(ConvertReadingToBaseform, OverlongBaseformEndsAtAWholeSymbol) {
  std::string reading;
  for (int i = 0; i < 51; ++i) reading += Sjis("し");  // 51 * 5 - 1 = 254 bytes: still whole
  EXPECT_EQ(Convert(reading).baseform.size(), 254u);
  reading += Sjis("し");
  const Converted c = Convert(reading);
  EXPECT_EQ(c.result, 1);
  EXPECT_EQ(c.baseform.size(), 254u);

  std::string mixed;
  for (int i = 0; i < 300; ++i) mixed += Sjis(i % 3 ? "か" : "っ");
  const Converted m = Convert(mixed);
  EXPECT_LE(m.baseform.size(), 255u);
  EXPECT_NE(m.baseform.back(), ' ');
  EXPECT_EQ(m.baseform.find("  "), std::string::npos);
}

TEST(LookupKanaPhoneme, MatchesWholeKeysOnly) {
  char phoneme[kPhonemeBufferSize] = "kept";
  EXPECT_EQ(LookupKanaPhoneme(Sjis("っ").c_str(), phoneme), 0);
  EXPECT_EQ(LookupKanaPhoneme(Sjis("きゃーー").c_str(), phoneme), 0);
  EXPECT_EQ(LookupKanaPhoneme(Sjis("かかかかか").c_str(), phoneme), 0);
  EXPECT_EQ(LookupKanaPhoneme("", phoneme), 0);
  EXPECT_EQ(LookupKanaPhoneme("\x82", phoneme), 0);
  EXPECT_STREQ(phoneme, "kept");
  EXPECT_EQ(LookupKanaPhoneme(Sjis("っきゃー").c_str(), phoneme), 1);
  EXPECT_STREQ(phoneme, "Qky a a:");
}

// The algorithm taken literally: a linear scan of the listed rows for every
// candidate length up to the end of the reading.
int LiteralLookup(const std::string& key, std::string& phoneme) {
  for (const ListedKanaRow& row : ListedKanaRows()) {
    if (key == row.key) {
      phoneme = row.phoneme;
      return 1;
    }
  }
  return 0;
}

// Hiragana ぁ to ん (0x82 0x9F to 0x82 0xF1) and the long-vowel mark ー
// (0x81 0x5B).
bool IsReadingCharacter(unsigned char lead, unsigned char trail) {
  return (lead == 0x82 && trail >= 0x9F && trail <= 0xF1) || (lead == 0x81 && trail == 0x5B);
}

Converted LiteralConvert(const std::string& reading) {
  if (reading.empty()) return {-1, ""};
  for (size_t i = 0; i < reading.size(); i += 2) {
    const auto lead = static_cast<unsigned char>(reading[i]);
    const auto trail = i + 1 < reading.size() ? static_cast<unsigned char>(reading[i + 1]) : 0;
    if (!IsReadingCharacter(lead, trail)) return {-2, ""};
  }
  std::string result;
  bool incomplete = false;
  for (size_t pos = 0; pos < reading.size();) {
    size_t next = pos;
    std::string matched;
    for (size_t end = pos + 2; end <= reading.size(); end += 2) {
      std::string phoneme;
      if (LiteralLookup(reading.substr(pos, end - pos), phoneme)) {
        next = end;
        matched = phoneme;
      }
    }
    if (next == pos) {
      result += "* ";
      incomplete = true;
      next = pos + 2;
    } else {
      result += matched + " ";
    }
    pos = next;
  }
  result.pop_back();
  return {incomplete ? 0 : 1, result};
}

// Random readings, mostly allowed characters, biased towards the small kana
// and "っ" and "ー" that make keys combine, now and then a foreign pair or a
// stray byte; short enough that no baseform reaches the field's limit. (Each
// listed key alone is the kana table's own test.)
TEST(ConvertReadingToBaseform, AgreesWithALiteralScanOfTheListedRows) {
  std::mt19937 random(20261208);
  const std::string pieces[] = {Sjis("っ"), Sjis("ー"), Sjis("ぁ"), Sjis("ぃ"), Sjis("ぇ"),
                                Sjis("ゃ"), Sjis("ゅ"), Sjis("ょ"), Sjis("う")};
  for (int round = 0; round < 4000; ++round) {
    std::string reading;
    const int units = 1 + static_cast<int>(random() % 24);
    for (int u = 0; u < units; ++u) {
      const unsigned pick = random() % 100;
      if (pick < 35) {
        reading += pieces[random() % std::size(pieces)];
      } else if (pick < 98) {
        reading += static_cast<char>(0x82);
        reading += static_cast<char>(0x9F + random() % 83);
      } else if (pick < 99) {
        reading += Sjis("カ");
      } else {
        reading += static_cast<char>(0x20 + random() % 0xDF);
      }
    }
    const Converted fast = Convert(reading);
    const Converted literal = LiteralConvert(reading);
    ASSERT_EQ(fast.result, literal.result) << round;
    if (literal.result >= 0) {
      ASSERT_EQ(fast.baseform, literal.baseform) << round;
    }
  }
}

}  // namespace
