#pragma once
// The kana table's rows as the data file lists them, keys turned into
// Shift-JIS: what the table and the conversion are checked against.

#include <string>
#include <vector>

#include "tests/sjis_literal.h"
#include "tests/support/tab_separated_rows.h"

struct ListedKanaRow {
  std::string utf8Key;
  std::string key;  // Shift-JIS
  std::string phoneme;
};

inline const std::vector<ListedKanaRow>& ListedKanaRows() {
  static const std::vector<ListedKanaRow> rows = [] {
    std::vector<ListedKanaRow> listed;
    for (const auto& [key, phoneme] : ReadTabSeparatedRows(LEXIFORGE_CONVERT_TEST_DATA "/kana_phonemes.txt")) {
      listed.push_back({key, Sjis(key), phoneme});
    }
    return listed;
  }();
  return rows;
}
