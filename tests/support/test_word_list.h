#pragma once
// A word table for the reader and writer tests, and its rows as plain
// strings to compare.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "wordlist/word_list.h"

// One row's texts, for comparing whole tables in a test.
struct TestRow {
  std::string word;
  std::string reading;
  std::string baseform;
  bool operator==(const TestRow&) const = default;
};

// Prints rows readably (non-ASCII bytes in hex) when an expectation fails.
void PrintTo(const TestRow& row, std::ostream* os);

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
