// Reading-to-baseform conversion speed on real readings (SKK dictionary,
// bench/data/readings.txt), against the algorithm taken literally: a linear
// scan of the whole table for every candidate stretch up to the end of the
// reading. The literal version lives here only, as the baseline.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "convert/kana_phoneme_table.h"
#include "convert/reading_conversion.h"

namespace {

const std::vector<std::string>& Readings() {
  static const std::vector<std::string> readings = [] {
    std::vector<std::string> lines;
    const std::string path = std::string(LEXIFORGE_BENCH_DATA) + "/readings.txt";
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
      std::fprintf(stderr, "%s is missing: run bench/generate_data.py\n", path.c_str());
      std::exit(1);
    }
    char line[1024];
    while (std::fgets(line, sizeof line, f)) {
      line[std::strcspn(line, "\r\n")] = '\0';
      lines.emplace_back(line);
    }
    std::fclose(f);
    return lines;
  }();
  return readings;
}

int LiteralLookup(const char* key, char (&phoneme)[256]) {
  for (int i = 0; KanaPhonemeTable[i].key[0]; ++i) {
    if (std::strcmp(key, KanaPhonemeTable[i].key) == 0) {
      std::strcpy(phoneme, KanaPhonemeTable[i].phoneme);
      return 1;
    }
  }
  return 0;
}

int LiteralConvert(const char* reading, char (&baseform)[256]) {
  if (!reading[0]) return -1;
  for (const char* p = reading; *p; p += 2) {
    if (KanaUnit(static_cast<unsigned char>(p[0]), static_cast<unsigned char>(p[1])) == 0) return -2;
  }
  char result[256] = {};
  bool incomplete = false;
  size_t pos = 0;
  const size_t len = std::strlen(reading);
  while (reading[pos]) {
    char key[128] = {};
    char matched[256] = {};
    const size_t start = pos;
    size_t keyLen = 0;
    for (size_t end = start; end < len && keyLen + 2 < sizeof key; end += 2) {
      key[keyLen++] = reading[end];
      key[keyLen++] = reading[end + 1];
      if (LiteralLookup(key, matched)) pos = end + 2;
    }
    if (pos == start) {
      std::strcat(result, "*");
      incomplete = true;
      pos += 2;
    } else {
      std::strcat(result, matched);
    }
    std::strcat(result, " ");
  }
  result[std::strlen(result) - 1] = '\0';
  std::strcpy(baseform, result);
  return incomplete ? 0 : 1;
}

void BM_ConvertReadingToBaseform(benchmark::State& state) {
  const auto& readings = Readings();
  char baseform[kBaseformSize];
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ConvertReadingToBaseform(readings[i].c_str(), baseform));
    benchmark::DoNotOptimize(baseform);
    if (++i == readings.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertReadingToBaseform);

void BM_LiteralTableScan(benchmark::State& state) {
  const auto& readings = Readings();
  char baseform[256];
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LiteralConvert(readings[i].c_str(), baseform));
    benchmark::DoNotOptimize(baseform);
    if (++i == readings.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LiteralTableScan);

// Both must give the same baseforms, or the comparison means nothing.
[[maybe_unused]] const bool kSameResults = [] {
  for (const std::string& r : Readings()) {
    char a[256] = {}, b[256] = {};
    if (ConvertReadingToBaseform(r.c_str(), a) != LiteralConvert(r.c_str(), b) || std::strcmp(a, b) != 0) {
      std::fprintf(stderr, "results differ for a reading\n");
      std::exit(1);
    }
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
