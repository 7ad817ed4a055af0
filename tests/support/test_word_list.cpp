#include "tests/support/test_word_list.h"

#include <cstdio>
#include <ostream>

#include "convert/sjis_text.h"

void PrintTo(const TestRow& row, std::ostream* os) {
  const std::string_view fields[] = {row.word, row.reading, row.baseform};
  *os << '{';
  for (const std::string_view field : fields) {
    *os << " \"";
    for (const char c : field) {
      const auto b = static_cast<unsigned char>(c);
      if (b >= 0x20 && b < 0x7F) {
        *os << c;
      } else {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", b);
        *os << hex;
      }
    }
    *os << '"';
  }
  *os << " }";
}

WordEntry TestEntry(std::string_view word, std::string_view reading, std::string_view baseform) {
  WordEntry entry{};
  CopySjisText(entry.word, word);
  CopySjisText(entry.reading, reading);
  CopySjisText(entry.baseform, baseform);
  return entry;
}

void AppendTestRows(WordList list, const std::vector<TestRow>& rows) {
  for (const TestRow& row : rows) InsertWordRow(list, RowCount(list), TestEntry(row.word, row.reading, row.baseform));
}

std::vector<TestRow> TestRowsOf(WordList list) {
  std::vector<TestRow> rows;
  for (int i = 0; i < RowCount(list); ++i) {
    WordEntry entry;
    GetWholeWordRow(list, i, entry);
    rows.push_back({entry.word, entry.reading, entry.baseform});
  }
  return rows;
}

void TestWordList::Append(const TestRow& row) { AppendTestRows(list_, {row}); }

std::vector<TestRow> TestWordList::Rows() const { return TestRowsOf(list_); }
