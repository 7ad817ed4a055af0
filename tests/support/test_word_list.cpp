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

void TestWordList::Append(const TestRow& row) {
  WordEntry entry{};
  CopySjisText(entry.word, row.word);
  CopySjisText(entry.reading, row.reading);
  CopySjisText(entry.baseform, row.baseform);
  InsertWordRow(list_, RowCount(list_), entry);
}

std::vector<TestRow> TestWordList::Rows() const {
  std::vector<TestRow> rows;
  for (int i = 0; i < RowCount(list_); ++i) {
    WordEntry entry;
    GetWholeWordRow(list_, i, entry);
    rows.push_back({entry.word, entry.reading, entry.baseform});
  }
  return rows;
}
