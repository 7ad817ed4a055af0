#pragma once
// A word table for the tests, and its rows as plain strings to write and
// compare: the one set of row helpers every suite uses.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "wordlist/word_list.h"

// One row's texts, for comparing whole tables in a test.
struct TestRow {
  std::string word;
  std::string reading = {};
  std::string baseform = {};
  bool operator==(const TestRow&) const = default;
};

// Prints rows readably (non-ASCII bytes in hex) when an expectation fails.
void PrintTo(const TestRow& row, std::ostream* os);

// The texts as a row entry (each cut as CopySjisText cuts it).
WordEntry TestEntry(std::string_view word, std::string_view reading = "", std::string_view baseform = "");

// Appends the rows behind the table's rows; reads the table's rows, each
// text whole.
void AppendTestRows(WordList list, const std::vector<TestRow>& rows);
std::vector<TestRow> TestRowsOf(WordList list);

// A list created for one test and destroyed with it.
class TestWordList {
 public:
  TestWordList() : list_(CreateWordTable()) {}
  ~TestWordList() { DestroyWordTable(list_); }
  TestWordList(const TestWordList&) = delete;
  TestWordList& operator=(const TestWordList&) = delete;
  operator WordList() const { return list_; }

  void Append(const TestRow& row);
  std::vector<TestRow> Rows() const;

 private:
  WordList list_;
};
