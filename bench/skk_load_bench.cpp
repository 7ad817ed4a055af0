// Loading SKK's dictionary and asking a kanji's compound reading must take
// time in proportion to its size, even for a file made to be slow: one kanji
// with very many readings, and as many two-kanji words of it, each of which
// is matched against the kanji's readings. Reports the complexity Google Benchmark fits (it should be N).

#include <benchmark/benchmark.h>

#include <string>

#include "readings/skk_dictionary.h"

namespace {

// `n` lines "READING /亜/" and "READINGREADING /亜亜/" in EUC-JP, each
// reading three hiragana of its own.
std::string CraftedDictionary(int n) {
  constexpr int kKana = 0xF3 - 0xA2 + 1;  // "あ" to "ん"
  const std::string kanji = "\xB0\xA1";   // "亜"
  std::string text;
  for (int i = 0; i < n; ++i) {
    std::string reading;
    for (int k = i, c = 0; c < 3; ++c, k /= kKana) {
      reading += '\xA4';
      reading += static_cast<char>(0xA2 + k % kKana);
    }
    text += reading + " /" + kanji + "/\n" + reading + reading + " /" + kanji + kanji + "/\n";
  }
  return text;
}

void BM_LoadCraftedSkk(benchmark::State& state) {
  const std::string text = CraftedDictionary(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    SkkReadings skk;
    skk.Load(text);
    benchmark::DoNotOptimize(skk.EntryCount());
    benchmark::DoNotOptimize(skk.CompoundReading("\x88\x9f"));  // 亜, counted against all its words
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadCraftedSkk)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();

}  // namespace

BENCHMARK_MAIN();
