#pragma once
// The word list the importer tests run against. They use only the operations
// of wordlist/word_list.h and what this header offers, so the same test
// sources run on either backend: each backend's test program links its own
// definition of the two functions below.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "wordlist/word_list.h"

WordList CreateTestWordList();
void DestroyTestWordList(WordList list);

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
  TestWordList() : list_(CreateTestWordList()) {}
  ~TestWordList() { DestroyTestWordList(list_); }
  TestWordList(const TestWordList&) = delete;
  TestWordList& operator=(const TestWordList&) = delete;
  operator WordList() const { return list_; }

  void Append(const TestRow& row);
  std::vector<TestRow> Rows() const;

 private:
  WordList list_;
};
