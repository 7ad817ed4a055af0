// How much the readers allocate and do for files of several MB shaped to
// make them work hardest, counted, not timed: a replaced operator new counts
// every allocation and the bytes alive at the peak, the readers are compiled
// with a call at every basic block they run, which counts their work, and the
// word list here keeps nothing but counts of what it is given. Each count must
// stay within a fixed multiple of the file's size, at 1 MiB and at 4 MiB
// alike, and the work at 4 MiB within four times and a little the work at
// 1 MiB, so no reader's memory or work grows faster than its file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "files/grammar_file.h"
#include "files/pool_file.h"
#include "files/text_word_list.h"
#include "tests/sjis_literal.h"
#include "tests/support/temp_folder.h"

namespace {

struct HeapCounts {
  size_t calls = 0;
  size_t bytes = 0;
  size_t live = 0;
  size_t peak = 0;
};
HeapCounts heap;

// Basic blocks run in the readers and the conversion.
size_t blocksRun = 0;

// Each block carries its size in front, so that a release knows how much
// stops being alive.
constexpr size_t kHeader = alignof(std::max_align_t);

void* CountedAllocate(size_t size) noexcept {
  char* block = static_cast<char*>(std::malloc(size + kHeader));
  if (!block) return nullptr;
  std::memcpy(block, &size, sizeof size);
  ++heap.calls;
  heap.bytes += size;
  heap.live += size;
  heap.peak = std::max(heap.peak, heap.live);
  return block + kHeader;
}

void CountedRelease(void* p) noexcept {
  if (!p) return;
  char* block = static_cast<char*>(p) - kHeader;
  size_t size;
  std::memcpy(&size, block, sizeof size);
  heap.live -= size;
  std::free(block);
}

}  // namespace

// Called at every basic block of the code built with -fsanitize-coverage=trace-pc.
extern "C" void __sanitizer_cov_trace_pc() { ++blocksRun; }

void* operator new(size_t size) {
  if (void* p = CountedAllocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size); }
void operator delete(void* p) noexcept { CountedRelease(p); }
void operator delete[](void* p) noexcept { CountedRelease(p); }
void operator delete(void* p, size_t) noexcept { CountedRelease(p); }
void operator delete[](void* p, size_t) noexcept { CountedRelease(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { CountedRelease(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { CountedRelease(p); }

// The word table the readers fill, in place of the real one: rows are
// counted, not kept, so that the heap counts are the readers' own.
struct WordTable {
  int rows = 0;
  size_t textBytes = 0;
};

bool InsertWordRow(WordList list, int index, const WordEntry& entry) {
  EXPECT_EQ(index, list->rows);
  ++list->rows;
  for (const char* field : {entry.word, entry.reading, entry.baseform}) {
    list->textBytes += strnlen(field, kWordFieldSize);
  }
  return true;
}

bool AppendWordRowTexts(WordList list, const std::string_view (&texts)[kWordColumns]) {
  ++list->rows;
  for (const std::string_view text : texts) list->textBytes += text.size();
  return true;
}

int RowCount(WordList list) { return list->rows; }

// Each reader fills a table of its own, then appends it to the list.
WordList CreateWordTable() { return new WordTable; }
void DestroyWordTable(WordList list) { delete list; }
void SwapWordRows(WordList list, WordList other) { std::swap(*list, *other); }
bool AppendWordRows(WordList list, WordList other) {
  list->rows += other->rows;
  list->textBytes += other->textBytes;
  *other = WordTable{};
  return true;
}

namespace {

enum class Reader { kText, kGrammar, kPool };

// A file of about the size asked for: `head`, then `piece` as often as it
// fits, then `tail`. It gives `rows` rows plus `rowsPerPiece` for each piece.
struct Shape {
  const char* what;
  Reader reader;
  std::string head;
  std::string piece;
  std::string tail;
  size_t rows;
  size_t rowsPerPiece;
};

const std::string kPoolFileHead(reinterpret_cast<const char*>(kPoolHeader), kPoolHeaderSize);
// V0 = 0x7FFFFFFF claims a block of almost 2 GiB from offset 4 (V16 = V32 =
// 0): the rest of the file, starting with the 32 NULs of the values' bytes.
const std::string kGrammarFileHead = std::string("\xFF\xFF\xFF\x7F", 4) + std::string(32, '\0');
const std::string kReadingLine = "w\t" + Sjis("きゃーきゃーきゃーきゃーきゃーきゃーきゃー") + "\n";

const Shape kShapes[] = {
    {"text: one line", Reader::kText, "", "x", "", 1, 0},
    {"text: the shortest rows", Reader::kText, "", "a\n", "", 0, 1},
    {"text: readings to convert", Reader::kText, "", kReadingLine, "", 0, 1},
    {"text: tabs", Reader::kText, "", "\t", "", 0, 0},
    {"text: CRs", Reader::kText, "", "\r", "", 1, 0},
    {"text: NULs", Reader::kText, "", std::string(1, '\0'), "", 0, 0},
    {"grammar: a block of NULs", Reader::kGrammar, kGrammarFileHead, std::string(1, '\0'), "", 32, 1},
    {"grammar: a word without its NUL", Reader::kGrammar, kGrammarFileHead, "w", "", 32, 0},
    {"pool: records of three NULs", Reader::kPool, kPoolFileHead, std::string(3, '\0'), "", 0, 1},
    {"pool: one record of codes", Reader::kPool, kPoolFileHead + std::string("w\0r\0", 4), "\x0C", std::string(1, '\0'),
     1, 0},
    {"pool: no NUL", Reader::kPool, kPoolFileHead, "w", "", 0, 0},
};

TEST(ReaderGrowth, MemoryAndWorkStayWithinAFixedMultipleOfTheFileSize) {
  TempFolder folder;
  for (const Shape& shape : kShapes) {
    size_t blocksAtOneMiB = 0;
    for (const size_t size : {size_t{1} << 20, size_t{4} << 20}) {
      const size_t pieces = (size - shape.head.size() - shape.tail.size()) / shape.piece.size();
      std::string file = shape.head;
      file.reserve(size);
      for (size_t i = 0; i < pieces; ++i) file += shape.piece;
      const std::string path = folder.Write("file", file + shape.tail);
      WordTable list;
      const HeapCounts before = heap;
      heap.peak = heap.live;
      const size_t blocksBefore = blocksRun;
      switch (shape.reader) {
        case Reader::kText:
          EXPECT_TRUE(LoadTextWordList(&list, path.c_str(), true));
          break;
        case Reader::kGrammar:
          EXPECT_TRUE(LoadGrammarWords(&list, path.c_str()));
          break;
        case Reader::kPool:
          EXPECT_TRUE(LoadPoolFile(&list, path.c_str()));
          break;
      }
      const size_t calls = heap.calls - before.calls;
      const size_t bytes = heap.bytes - before.bytes;
      const size_t peak = heap.peak - before.live;
      const size_t blocks = blocksRun - blocksBefore;
      std::printf("%-34s %4zu KiB: %7d rows, %8zu text bytes, %2zu allocations, %8zu bytes, peak %8zu, %10zu blocks\n",
                  shape.what, size >> 10, list.rows, list.textBytes, calls, bytes, peak, blocks);
      SCOPED_TRACE(testing::Message() << shape.what << ", " << size << " bytes");
      EXPECT_EQ(static_cast<size_t>(list.rows), shape.rows + pieces * shape.rowsPerPiece);
      // A line is held whole and grows by doubling: at worst the old and the
      // new buffer are alive together. Every other reader holds one buffer
      // of at most the file's size.
      EXPECT_LE(peak, 3 * size + (256 << 10));
      EXPECT_LE(bytes, 4 * size + (256 << 10));
      // Nothing is allocated per line, word or record.
      EXPECT_LE(calls, 64u);
      // A row carries at most three fields of 255 bytes, and no file gives
      // more rows than it has bytes.
      EXPECT_LE(list.textBytes, 765 * static_cast<size_t>(list.rows));
      EXPECT_LE(static_cast<size_t>(list.rows), size);
      // Linear work: four times the file, four times the blocks and a
      // little (fixed costs differ a little between the two sizes).
      EXPECT_GT(blocks, 0u) << "the readers are not counted";
      if (blocksAtOneMiB == 0) {
        blocksAtOneMiB = blocks;
      } else {
        EXPECT_LE(blocks, 4 * blocksAtOneMiB + blocksAtOneMiB / 8);
      }
    }
  }
}

// A line of 64 MB costs the text reader what its row keeps, not the line:
// the peak stays under a few MB, whatever the line holds.
TEST(ReaderGrowth, ALongLineIsNotHeldWhole) {
  TempFolder folder;
  constexpr size_t kLine = size_t{64} << 20;
  for (const char filler : {'x', '\0', '\t'}) {
    std::string file(kLine, filler);
    file += "\nw\t" + Sjis("か") + "\n";
    const std::string path = folder.Write("long", file);
    file = {};
    WordTable list;
    const HeapCounts before = heap;
    heap.peak = heap.live;
    EXPECT_TRUE(LoadTextWordList(&list, path.c_str(), true));
    const size_t peak = heap.peak - before.live;
    std::printf("a 64 MB line of byte %d: peak %zu bytes, %d rows\n", filler, peak, list.rows);
    EXPECT_LE(peak, size_t{4} << 20) << "byte " << int{filler};
    // Letters give a row of their first 80, and the row after it is read;
    // NULs and tabs alone give none.
    EXPECT_EQ(list.rows, filler == 'x' ? 2 : 1) << "byte " << int{filler};
  }
}

}  // namespace
