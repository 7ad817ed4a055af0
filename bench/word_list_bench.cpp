// The in-memory word list on a real text word list (bench/data/words.txt:
// word and reading per line, baseforms generated while loading): the load
// at one and ten times the rows, what a row costs in memory, and the sort
// by each column at one and ten times the rows.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

#include "convert/sjis_text.h"
#include "files/text_word_list.h"
#include "wordlist/word_list.h"

// Every heap block of the program is counted, at the size the allocator
// really reserved for it, so the table's cost includes the allocator's
// rounding and the spare capacity of its arrays.
namespace {
size_t liveHeapBytes = 0;
}  // namespace

void* operator new(size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  liveHeapBytes += malloc_usable_size(block);
  return block;
}

void operator delete(void* block) noexcept {
  if (!block) return;
  liveHeapBytes -= malloc_usable_size(block);
  std::free(block);
}

void operator delete(void* block, size_t) noexcept { operator delete(block); }

namespace {

const std::string& WordsFile() {
  static const std::string path = [] {
    std::string words = std::string(LEXIFORGE_BENCH_DATA) + "/words.txt";
    if (!std::filesystem::exists(words)) {
      std::fprintf(stderr, "%s is missing: run bench/generate_data.py\n", words.c_str());
      std::exit(1);
    }
    return words;
  }();
  return path;
}

// words.txt ten times over, written once into the temporary folder.
class TenfoldWordsFile {
 public:
  TenfoldWordsFile() : path_(std::filesystem::temp_directory_path() / "lexiforge-bench-words-x10.txt") {
    std::ifstream in(WordsFile(), std::ios::binary);
    const std::string words{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::ofstream out(path_, std::ios::binary);
    for (int i = 0; i < 10; ++i) out << words;
  }
  ~TenfoldWordsFile() { std::filesystem::remove(path_); }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

std::string FileOfTimes(int64_t times) {
  if (times == 1) return WordsFile();
  static const TenfoldWordsFile tenfold;
  return tenfold.Path();
}

// Times reading `path` into a fresh table on each iteration; the rows read.
int TimeLoads(benchmark::State& state, const std::string& path) {
  int rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WordList list = CreateWordTable();
    state.ResumeTiming();
    if (!LoadTextWordList(list, path.c_str(), false)) state.SkipWithError("cannot open the word list");
    state.PauseTiming();
    rows = RowCount(list);
    DestroyWordTable(list);
    state.ResumeTiming();
  }
  return rows;
}

void BM_LoadTextWordList(benchmark::State& state) {
  const std::string path = FileOfTimes(state.range(0));
  const int rows = TimeLoads(state, path);
  state.counters["rows"] = rows;
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_LoadTextWordList)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The tenfold list read three ways: Shift-JIS told to the reader (no look at
// the encoding), Shift-JIS found by the look, and its UTF-8 twin converted
// as it is read.
void BM_LoadTextWordListEncodings(benchmark::State& state) {
  static const std::string utf8Path = [] {
    std::ifstream in(FileOfTimes(10), std::ios::binary);
    const std::string sjis{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string utf8;
    if (!ConvertSjisToUtf8(sjis, utf8)) utf8.clear();
    const std::string path = (std::filesystem::temp_directory_path() / "lexiforge-bench-words-utf8.txt").string();
    std::ofstream(path, std::ios::binary) << utf8;
    return path;
  }();
  const int mode = static_cast<int>(state.range(0));
  const std::string path = mode == 2 ? utf8Path : FileOfTimes(10);
  SetTextWordListEncoding(mode == 0 ? TextEncoding::kShiftJis : TextEncoding::kAuto);
  const int rows = TimeLoads(state, path);
  SetTextWordListEncoding(TextEncoding::kAuto);
  state.counters["rows"] = rows;
  state.SetLabel(mode == 0 ? "sjis told" : mode == 1 ? "sjis found" : "utf-8 found");
}
BENCHMARK(BM_LoadTextWordListEncodings)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_TableBytesPerRow(benchmark::State& state) {
  for (auto _ : state) {
    WordList list = CreateWordTable();
    const size_t before = liveHeapBytes;
    LoadTextWordList(list, WordsFile().c_str(), false);
    const size_t after = liveHeapBytes;
    const int rows = RowCount(list);
    size_t textBytes = 0;
    for (int i = 0; i < rows; ++i) {
      for (int c = 0; c < kWordColumns; ++c) textBytes += WordRowText(list, i, c).size();
    }
    DestroyWordTable(list);
    state.counters["rows"] = rows;
    state.counters["bytes_per_row"] = static_cast<double>(after - before) / rows;
    // What a row costs beyond its texts (target: at most 40 bytes).
    state.counters["overhead_per_row"] = static_cast<double>(after - before - textBytes) / rows;
  }
}
BENCHMARK(BM_TableBytesPerRow)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SortWordList(benchmark::State& state) {
  const int column = static_cast<int>(state.range(0));
  WordList list = CreateWordTable();
  LoadTextWordList(list, FileOfTimes(state.range(1)).c_str(), false);
  for (auto _ : state) {
    // Each timed sort starts from the order of another column.
    state.PauseTiming();
    SortWordList(list, (column + 1) % 3);
    state.ResumeTiming();
    SortWordList(list, column);
  }
  state.counters["rows"] = RowCount(list);
  DestroyWordTable(list);
}
BENCHMARK(BM_SortWordList)->ArgsProduct({{0, 1, 2}, {1, 10}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
