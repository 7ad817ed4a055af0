// Files no reader may trust: paths that lead nowhere, files that open but
// cannot be read, values that lie about the file's layout, a line of 10 MB
// and NUL bytes everywhere. Each reader returns, takes only bytes of the
// file, and never loses the rows the list already holds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/grammar_file.h"
#include "files/pool_file.h"
#include "files/text_word_list.h"
#include "files/word_file_writer.h"
#include "tests/sjis_literal.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <cstdio>
#include <cstring>

#include "files/text_file_lines.h"
#endif

namespace {

const TestRow kOldRow = {"old", "R", "B"};

// Every reader refuses the path and the list keeps its row.
void ExpectEveryReaderRefuses(const std::string& what, const std::string& path) {
  TestWordList list;
  list.Append(kOldRow);
  EXPECT_FALSE(LoadTextWordList(list, path.c_str(), false)) << what;
  EXPECT_FALSE(LoadGrammarWords(list, path.c_str())) << what;
  EXPECT_FALSE(LoadPoolFile(list, path.c_str())) << what;
  EXPECT_EQ(list.Rows(), std::vector<TestRow>{kOldRow}) << what;
}

TEST(HostileFiles, PathsThatLeadToNoFileKeepTheRows) {
  TempFolder folder;
  const std::string file = folder.Write("file.txt", "a\n");
  std::filesystem::create_directory(folder.PathOf("folder"));
  std::string tooLong = folder.PathOf("");
  while (tooLong.size() < 5000) tooLong += std::string(200, 'd') + "/";
  ExpectEveryReaderRefuses("an empty path", "");
  ExpectEveryReaderRefuses("a missing file", folder.PathOf("missing.txt"));
  ExpectEveryReaderRefuses("a folder", folder.PathOf("folder"));
  ExpectEveryReaderRefuses("a file where a folder should be", file + "/child.txt");
  ExpectEveryReaderRefuses("a name of 300 bytes", folder.PathOf(std::string(300, 'n')));
  ExpectEveryReaderRefuses("a path of 5000 bytes", tooLong + "list.txt");
#ifndef _WIN32
  ASSERT_EQ(symlink(folder.PathOf("nowhere").c_str(), folder.PathOf("dangling").c_str()), 0);
  ASSERT_EQ(symlink(folder.PathOf("loop").c_str(), folder.PathOf("loop").c_str()), 0);
  ExpectEveryReaderRefuses("a dangling link", folder.PathOf("dangling"));
  ExpectEveryReaderRefuses("a link to itself", folder.PathOf("loop"));
#endif
}

#ifdef _WIN32
bool CanReadFirstByte(const std::string& path) {
  HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  char byte;
  DWORD read = 0;
  const bool readable = ReadFile(handle, &byte, 1, &read, nullptr) && read == 1;
  CloseHandle(handle);
  return readable;
}
#endif

// A file that opens but whose first read fails: on Windows one that another
// handle holds locked; elsewhere /proc/self/mem, whose first bytes are
// never mapped.
TEST(HostileFiles, AFileThatCannotBeReadKeepsTheRows) {
#ifdef _WIN32
  TempFolder folder;
  const std::string pool = std::string(reinterpret_cast<const char*>(kPoolHeader), kPoolHeaderSize) + "w";
  const std::string path = folder.Write("locked.txt", pool + std::string("\0r\0\x15\0", 5));
  HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  OVERLAPPED whole{};
  ASSERT_TRUE(LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole));
  // Where a lock does not stop reads (Wine), the case cannot be made.
  const bool locked = !CanReadFirstByte(path);
  if (locked) ExpectEveryReaderRefuses("a locked file", path);
  CloseHandle(handle);
  if (!locked) GTEST_SKIP() << "reads are not stopped by a lock here";
#else
  const std::string path = "/proc/self/mem";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path;
  ExpectEveryReaderRefuses(path, path);
#endif
}

// The readers hand paths to the platform as they are, so a path of more than
// 260 bytes is read wherever the platform takes it; where it does not, the
// file counts as one that cannot be opened.
TEST(HostileFiles, PathsOfMoreThan260Bytes) {
  TempFolder folder;
  std::filesystem::path deep = folder.PathOf("");
  for (int i = 0; i < 3; ++i) deep /= std::string(100, 'd');
  std::error_code error;
  std::filesystem::create_directories(deep, error);
  const std::string path = (deep / "list.txt").string();
  ASSERT_GT(path.size(), 300u);
  std::ofstream(deep / "list.txt", std::ios::binary) << "a\n";

  TestWordList list;
  list.Append(kOldRow);
  const bool loaded = static_cast<bool>(LoadTextWordList(list, path.c_str(), false));
#ifndef _WIN32
  EXPECT_TRUE(loaded);
#endif
  const std::vector<TestRow> expected = {loaded ? TestRow{"a", "", ""} : kOldRow};
  EXPECT_EQ(list.Rows(), expected);
}

void PutValue(std::string& file, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) file[offset + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// The block's place is computed in 32-bit arithmetic, and values that wrap
// around must still lead only to bytes of the file.
TEST(HostileFiles, GrammarValuesThatWrapAround) {
  const struct {
    const char* what;
    uint32_t v0, v16, v32;
    std::vector<std::string> words;
  } cases[] = {
      // 0x7FFFFFFF + 0x7FFFFFFF + 4 wraps to 2: a block of bytes 2 to 9, the
      // top of V0 and the start of the filler.
      {"a start that wraps into the values", 10, 0x7FFFFFFF, 0x7FFFFFFF, {"", "", "ab", "cd"}},
      // 0x80000000 - 4 is a length of almost 2 GiB: the rest of the file.
      {"a negative end", 0x80000000, 0, 0, {"ab", "cd", "zzzzzz", "", "", "", "zzzzzzzzzzzz", "", "", "", "w"}},
      {"a start that wraps below 0", 0x80000100, 0x7FFFFFF0, 0x10, {}},
      {"a start far past the end", 0x7FFFFFFF, 0x3FFFFFFF, 0x3FFFFFF0, {}},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    std::string file = std::string("0123ab\0cd\0", 10) + std::string(26, 'z') + std::string("w\0tail", 6);
    PutValue(file, 0, c.v0);
    PutValue(file, 16, c.v16);
    PutValue(file, 32, c.v32);
    TestWordList list;
    list.Append(kOldRow);
    EXPECT_TRUE(LoadGrammarWords(list, folder.Write("g.fsg", file).c_str())) << c.what;
    std::vector<TestRow> expected = {kOldRow};
    for (const std::string& word : c.words) expected.push_back({word, "", ""});
    EXPECT_EQ(list.Rows(), expected) << c.what;
  }
}

TEST(HostileFiles, OneLineOfTenMegabytes) {
  TempFolder folder;
  const std::string file = std::string(10 << 20, 'x') + "\t" + Sjis("か") + "\r\n" + "next";
  TestWordList list;
  ASSERT_TRUE(LoadTextWordList(list, folder.Write("long.txt", file).c_str(), false));
  EXPECT_EQ(list.Rows(), (std::vector<TestRow>{{std::string(80, 'x'), Sjis("か"), "k a"}, {"next", "", ""}}));
}

// NUL bytes end texts but never the file, and empty files give no rows.
TEST(HostileFiles, NulBytesAndEmptyFiles) {
  enum Reader { kText, kGrammar, kPool };
  const std::string header(reinterpret_cast<const char*>(kPoolHeader), kPoolHeaderSize);
  std::string grammarOfNuls(36, '\0');  // V0 = 9: a block of bytes 4 to 8
  grammarOfNuls[0] = 9;
  const struct {
    const char* what;
    Reader reader;
    std::string file;
    bool result;
    std::vector<TestRow> added;
  } cases[] = {
      {"empty text file", kText, "", true, {}},
      {"empty grammar file", kGrammar, "", true, {}},
      {"empty pool file", kPool, "", false, {}},
      {"text of NULs", kText, std::string(4096, '\0'), true, {}},
      {"text with NULs", kText, std::string("\0\0\n\0\tw\nw\0\tr\n\0", 13), true, {{"w", "", ""}}},
      {"grammar of NULs", kGrammar, std::string(100, '\0'), true, {}},
      {"grammar block of NULs", kGrammar, grammarOfNuls, true, std::vector<TestRow>(5, TestRow{})},
      {"pool body of NULs", kPool, header + std::string(7, '\0'), true, std::vector<TestRow>(2, TestRow{})},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    TestWordList list;
    list.Append(kOldRow);
    const std::string path = folder.Write("file", c.file);
    bool result = false;
    switch (c.reader) {
      case kText:
        result = static_cast<bool>(LoadTextWordList(list, path.c_str(), true));
        break;
      case kGrammar:
        result = static_cast<bool>(LoadGrammarWords(list, path.c_str()));
        break;
      case kPool:
        result = static_cast<bool>(LoadPoolFile(list, path.c_str()));
        break;
    }
    EXPECT_EQ(result, c.result) << c.what;
    std::vector<TestRow> expected = {kOldRow};
    expected.insert(expected.end(), c.added.begin(), c.added.end());
    EXPECT_EQ(list.Rows(), expected) << c.what;
  }
}

#ifdef __GLIBC__
// A stream that gives its text, then fails, as a disk does when it breaks
// part way through a file.
ssize_t ReadThenFail(void* cookie, char* buffer, size_t size) {
  auto* rest = static_cast<std::string*>(cookie);
  if (rest->empty()) return -1;
  const size_t n = std::min(size, rest->size());
  std::memcpy(buffer, rest->data(), n);
  rest->erase(0, n);
  return static_cast<ssize_t>(n);
}

TEST(HostileFiles, AReadErrorEndsTheFileAfterTheLinesReadSoFar) {
  std::string text = "a\nb\r\nc";
  cookie_io_functions_t io{};
  io.read = ReadThenFail;
  std::FILE* file = fopencookie(&text, "rb", io);
  ASSERT_NE(file, nullptr);
  TextFileLines lines(file);
  std::vector<std::string> got;
  for (std::string line; lines.Next(line);) got.push_back(line);
  EXPECT_TRUE(std::ferror(file));
  EXPECT_EQ(got, (std::vector<std::string>{"a", "b", "c"}));
  std::fclose(file);
}
#endif

#ifdef _WIN32
// A destination another program holds open without letting it be replaced:
// the save fails, the old file stays whole, and no temporary file is left.
TEST(HostileFiles, ALockedDestinationKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.Write("list.txt", "old\r\n");
  HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  TestWordList list;
  list.Append({"new", "", ""});
  EXPECT_EQ(SaveWordFile(list, path.c_str(), WordFileFormat::kTextWordList), SaveResult::kCannotReplace);
  CloseHandle(handle);
  EXPECT_EQ(FileBytes(path), "old\r\n");
  EXPECT_EQ(FileNamesIn(folder.PathOf("")), std::vector<std::string>{"list.txt"});
}
#endif

}  // namespace
