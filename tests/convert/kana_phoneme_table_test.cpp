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

// 812 keys, the 505 without a leading small tsu before the 307 with one.
TEST(KanaPhonemeTable, HoldsTheListedRowsInOrder) {
  const std::vector<ListedKanaRow>& listed = ListedKanaRows();
  ASSERT_EQ(listed.size(), 812u);
  for (size_t i = 0; i < listed.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "row " << i << ": " << listed[i].utf8Key << " " << listed[i].phoneme);
    EXPECT_EQ(std::string(KanaPhonemeTable[i].key), listed[i].key);
    EXPECT_EQ(std::string(KanaPhonemeTable[i].phoneme), listed[i].phoneme);
    EXPECT_EQ(listed[i].utf8Key.rfind("っ", 0) == 0, i >= 505);
  }
  EXPECT_EQ(KanaPhonemeTable[812].key[0], '\0') << "the end row";
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

// Long forms follow the rule and its listed exceptions; small kana and the
// long mark alone have no key.
TEST(KanaPhonemeTable, LongFormsAndTheirExceptions) {
  const char* const noKey = "(no key)";
  const std::pair<const char*, const char*> rows[] = {
      {"きゃー", "ky a a:"},    {"くぃー", "k u w i i:"}, {"かぁー", "k a a:"},  // already long: unchanged
      {"んー", noKey},          {"しょうー", noKey},      {"っばぁー", noKey},     {"っまー", noKey},
      {"っもー", "m o o:"},     {"せぇー", "s e:"},       {"てぇ", "t e:"},        {"てぇー", "t e e:"},
      {"つぇ", "ts e e"},       {"つぉー", "ts o o:"},    {"ぢぃー", "j i"},       {"づぁ", "z u a"},
      {"づぁー", "z a a:"},     {"っしぃー", "Qs i i:"},  {"っき", "Qky i"},       {"っし", "Qs i"},
      {"っふ", "Qh u"},         {"っふぁ", "Qf a"},       {"っぐぁ", "Qg u w a a:"}, {"っぐぁー", "Qg u w a a:"},
      {"わぃ", "w a i"},        {"ぺぁ", "p e a"},        {"っう", "u"},           {"っわぁ", "w a a:"},
      {"を", "o"},
  };
  for (const auto& [key, phoneme] : rows) EXPECT_EQ(PhonemeOf(key), phoneme) << key;
  for (const char* alone : {"ぁ", "ぃ", "ぅ", "ぇ", "ぉ", "っ", "ゃ", "ゅ", "ょ", "ゎ", "ゐ", "ゑ", "ー"}) {
    EXPECT_EQ(PhonemeOf(alone), noKey) << alone;
  }
}

}  // namespace
