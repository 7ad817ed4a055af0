// The kana table against its rows written out as data (every key with its
// phonemes, long forms included, in table order), against the rules it was
// written from, and the rows that break the pattern of their neighbours.

#include "convert/kana_phoneme_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "convert/phoneme_codes.h"
#include "convert/reading_conversion.h"
#include "tests/convert/listed_kana_rows.h"
#include "tests/sjis_literal.h"

namespace {

TEST(KanaPhonemeTable, HoldsTheListedRowsInOrder) {
  const std::vector<ListedKanaRow>& listed = ListedKanaRows();
  ASSERT_EQ(listed.size(), 812u);
  for (size_t i = 0; i < listed.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "row " << i << ": " << listed[i].utf8Key << " " << listed[i].phoneme);
    EXPECT_EQ(std::string(KanaPhonemeTable[i].key), listed[i].key);
    EXPECT_EQ(std::string(KanaPhonemeTable[i].phoneme), listed[i].phoneme);
  }
  EXPECT_EQ(KanaPhonemeTable[812].key[0], '\0') << "the end row";
}

bool StartsWithSokuon(const char* key) {
  return static_cast<unsigned char>(key[0]) == 0x82 && static_cast<unsigned char>(key[1]) == 0xC1;
}

TEST(KanaPhonemeTable, Has812KeysOf505WithoutAnd307WithLeadingSmallTsu) {
  int withSokuon = 0;
  int rows = 0;
  for (; KanaPhonemeTable[rows].key[0] != '\0'; ++rows) {
    if (StartsWithSokuon(KanaPhonemeTable[rows].key)) ++withSokuon;
  }
  EXPECT_EQ(rows, 812);
  EXPECT_EQ(rows - withSokuon, 505);
  EXPECT_EQ(withSokuon, 307);
}

TEST(KanaPhonemeTable, EveryRowIsWellFormed) {
  std::set<std::string> keys;
  for (int i = 0; i < kKanaPhonemeRows; ++i) {
    const KanaPhonemeEntry& row = KanaPhonemeTable[i];
    SCOPED_TRACE(i);
    EXPECT_TRUE(keys.insert(row.key).second) << "duplicate key";
    const size_t keyLen = std::strlen(row.key);
    EXPECT_TRUE(keyLen >= 2 && keyLen <= 8 && keyLen % 2 == 0);
    for (size_t k = 0; k < keyLen; k += 2) {
      EXPECT_NE(KanaUnit(static_cast<unsigned char>(row.key[k]), static_cast<unsigned char>(row.key[k + 1])), 0);
    }
    // Symbols from the inventory, single spaces, none at either end.
    const std::string phoneme = row.phoneme;
    ASSERT_FALSE(phoneme.empty());
    EXPECT_LE(phoneme.size(), 11u);
    EXPECT_NE(phoneme.front(), ' ');
    EXPECT_NE(phoneme.back(), ' ');
    EXPECT_EQ(phoneme.find("  "), std::string::npos);
    size_t start = 0;
    while (start <= phoneme.size()) {
      size_t end = phoneme.find(' ', start);
      if (end == std::string::npos) end = phoneme.size();
      EXPECT_NE(PhonemeCodeOf(phoneme.substr(start, end - start)), 0) << phoneme;
      start = end + 1;
    }
  }
}

// Every listed key, read as a whole reading, converts to exactly its listed
// phonemes: the greedy longest match never splits a key, long forms included.
TEST(KanaPhonemeTable, EveryListedKeyConvertsToItsListedPhonemes) {
  for (const ListedKanaRow& row : ListedKanaRows()) {
    char baseform[kBaseformSize] = {};
    EXPECT_EQ(ConvertReadingToBaseform(row.key.c_str(), baseform), 1) << row.utf8Key;
    EXPECT_EQ(std::string(baseform), row.phoneme) << row.utf8Key;
  }
}

std::string PhonemeOf(const char* utf8Key) {
  const std::string key = Sjis(utf8Key);
  for (int i = 0; i < kKanaPhonemeRows; ++i) {
    if (key == KanaPhonemeTable[i].key) return KanaPhonemeTable[i].phoneme;
  }
  return "(no key)";
}

TEST(KanaPhonemeTable, LongFormsFollowTheRuleAndItsListedExceptions) {
  EXPECT_EQ(PhonemeOf("きゃー"), "ky a a:");
  EXPECT_EQ(PhonemeOf("くぃー"), "k u w i i:");
  EXPECT_EQ(PhonemeOf("かぁー"), "k a a:");  // already long: unchanged
  EXPECT_EQ(PhonemeOf("んー"), "(no key)");
  EXPECT_EQ(PhonemeOf("しょうー"), "(no key)");
  EXPECT_EQ(PhonemeOf("っばぁー"), "(no key)");
  EXPECT_EQ(PhonemeOf("っまー"), "(no key)");
  EXPECT_EQ(PhonemeOf("っもー"), "m o o:");
  EXPECT_EQ(PhonemeOf("せぇー"), "s e:");
  EXPECT_EQ(PhonemeOf("てぇ"), "t e:");
  EXPECT_EQ(PhonemeOf("てぇー"), "t e e:");
  EXPECT_EQ(PhonemeOf("つぇ"), "ts e e");
  EXPECT_EQ(PhonemeOf("つぉー"), "ts o o:");
  EXPECT_EQ(PhonemeOf("ぢぃー"), "j i");
  EXPECT_EQ(PhonemeOf("づぁ"), "z u a");
  EXPECT_EQ(PhonemeOf("づぁー"), "z a a:");
  EXPECT_EQ(PhonemeOf("っしぃー"), "Qs i i:");
  EXPECT_EQ(PhonemeOf("っき"), "Qky i");
  EXPECT_EQ(PhonemeOf("っし"), "Qs i");
  EXPECT_EQ(PhonemeOf("っふ"), "Qh u");
  EXPECT_EQ(PhonemeOf("っふぁ"), "Qf a");
  EXPECT_EQ(PhonemeOf("っぐぁ"), "Qg u w a a:");
  EXPECT_EQ(PhonemeOf("っぐぁー"), "Qg u w a a:");
  EXPECT_EQ(PhonemeOf("わぃ"), "w a i");
  EXPECT_EQ(PhonemeOf("ぺぁ"), "p e a");
  EXPECT_EQ(PhonemeOf("っう"), "u");
  EXPECT_EQ(PhonemeOf("っわぁ"), "w a a:");
  EXPECT_EQ(PhonemeOf("を"), "o");
}

TEST(KanaPhonemeTable, SmallKanaAndTheLongMarkHaveNoKeyOfTheirOwn) {
  for (const char* alone : {"ぁ", "ぃ", "ぅ", "ぇ", "ぉ", "っ", "ゃ", "ゅ", "ょ", "ゎ", "ゐ", "ゑ", "ー"}) {
    EXPECT_EQ(PhonemeOf(alone), "(no key)") << alone;
  }
}

}  // namespace
