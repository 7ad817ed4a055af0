// Writing 100,000 real rows (bench/data/words.txt, baseforms generated while
// loading) as a text word list, as a pool file and as a Julius dictionary
// (format 0, 2 and 3), each written whole to a temporary file and moved over
// the last one.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/text_word_list.h"
#include "files/word_file_writer.h"
#include "wordlist/word_list.h"

namespace {

WordList LoadedWords() {
  static const WordList list = [] {
    const std::string path = std::string(LEXIFORGE_BENCH_DATA) + "/words.txt";
    WordList words = CreateWordTable();
    if (!LoadTextWordList(words, path.c_str(), false)) {
      std::fprintf(stderr, "%s is missing: run bench/generate_data.py\n", path.c_str());
      std::exit(1);
    }
    return words;
  }();
  return list;
}

void BM_SaveWordFile(benchmark::State& state) {
  const auto format = static_cast<WordFileFormat>(state.range(0));
  const WordList list = LoadedWords();
  const std::string path =
      (std::filesystem::temp_directory_path() / (std::string("lexiforge-bench.") + FileFormatOf(format).extension))
          .string();
  for (auto _ : state) {
    if (SaveWordFile(list, path.c_str(), format) != SaveResult::kSaved) state.SkipWithError("cannot write");
  }
  state.SetItemsProcessed(state.iterations() * RowCount(list));
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveWordFile)
    ->ArgName("format")
    ->Arg(static_cast<int>(WordFileFormat::kTextWordList))
    ->Arg(static_cast<int>(WordFileFormat::kPoolFile))
    ->Arg(static_cast<int>(WordFileFormat::kJuliusDictionary))
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
