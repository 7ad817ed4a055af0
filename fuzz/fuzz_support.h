#pragma once
// What the reader and writer targets share: a file per process for the
// bytes of each run (the readers take paths), the rows of a list as strings,
// and a check that reports what failed before it aborts, which the fuzzer
// takes for a crash.

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "convert/sjis_text.h"
#include "wordlist/word_list.h"
#include "wordlist/word_list.h"

inline void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s\n", what);
  std::abort();
}

// One folder per process, in /dev/shm where there is one so that the runs
// write no disk, removed when the process ends normally. The path is never
// freed: the handler that removes the folder runs after static objects are
// gone.
inline const std::string& FuzzFolder() {
  static const std::string* folder = [] {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    auto* path = new std::string(std::string(base) + "/lexiforge-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(*path);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(FuzzFolder(), ignored);
    });
    return path;
  }();
  return *folder;
}

inline std::string FuzzFilePath(const char* name) { return FuzzFolder() + "/" + name; }

// Writes `bytes` as the file `name` in the folder and returns its path.
inline std::string WriteFuzzFile(const char* name, std::string_view bytes) {
  const std::string path = FuzzFilePath(name);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Require(file != nullptr, "cannot create the input file");
  Require(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(), "cannot write the input file");
  std::fclose(file);
  return path;
}

// What a text word list keeps of a field, worked out without the reader's
// helpers: a field of up to 80 bytes whole, as written; a longer one cut to
// at most 80 bytes, without the lead byte of a character the cut would split
// (lead bytes are 0x81 to 0x9F and 0xE0 to 0xFC).
inline std::string_view TextFieldCut(std::string_view field) {
  if (field.size() <= 80) return field;
  size_t end = 0;
  while (end < field.size()) {
    const auto b = static_cast<unsigned char>(field[end]);
    const size_t width = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? 2 : 1;
    if (end + width > 80) break;
    end += width;
  }
  return field.substr(0, end);
}

using Row = std::array<std::string, 3>;

// A row's texts; each field must end within its 256 bytes.
inline Row RowOf(const WordEntry& entry) {
  const char* fields[] = {entry.word, entry.reading, entry.baseform};
  Row row;
  for (int i = 0; i < 3; ++i) {
    const size_t length = strnlen(fields[i], kWordFieldSize);
    Require(length < kWordFieldSize, "a row field is not terminated within 256 bytes");
    row[static_cast<size_t>(i)].assign(fields[i], length);
  }
  return row;
}

inline std::vector<Row> RowsOf(WordList list) {
  std::vector<Row> rows;
  for (int i = 0; i < RowCount(list); ++i) {
    WordEntry entry;
    GetWholeWordRow(list, i, entry);
    rows.push_back(RowOf(entry));
  }
  return rows;
}

// A list created for one run and destroyed with it.
class FuzzWordList {
 public:
  FuzzWordList() : list_(CreateWordTable()) { Require(list_ != nullptr, "no memory for a list"); }
  ~FuzzWordList() { DestroyWordTable(list_); }
  FuzzWordList(const FuzzWordList&) = delete;
  FuzzWordList& operator=(const FuzzWordList&) = delete;
  operator WordList() const { return list_; }

 private:
  WordList list_;
};

inline void AppendRow(WordList list, const Row& row) {
  WordEntry entry{};
  CopySjisText(entry.word, row[0]);
  CopySjisText(entry.reading, row[1]);
  CopySjisText(entry.baseform, row[2]);
  InsertWordRow(list, RowCount(list), entry);
}

// The row a reader finds in the list before it runs; appending readers must
// leave it as it is.
inline const Row kOldRow = {"old", "R", "B"};
