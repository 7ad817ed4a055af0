// UniDic's table is data from outside the program: any bytes given as the
// table are searched without crashing or hanging, and whatever is found is a
// hiragana reading, each once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/sjis_text.h"
#include "fuzz/fuzz_support.h"
#include "readings/kana_folding.h"
#include "readings/unidic_readings.h"

namespace {

// Words of the seed (fuzz/corpus/unidic_readings), pairs of its kanji and
// odd texts.
const std::vector<std::string>& Words() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> sjis;
    for (const char* utf8 : {"日", "本", "日本", "本日", "寿司", "司", "寿", "人", "日本人", "本人", "ア", ""}) {
      std::string word;
      Require(ConvertUtf8ToSjis(utf8, word), "a word of the target is not in code page 932");
      sjis.push_back(word);
    }
    sjis.push_back("\x93");      // a lead byte cut off
    sjis.push_back("\x93\x0a");  // a line feed as a second byte
    return sjis;
  }();
  return words;
}

void RequireReadings(std::vector<std::string> readings) {
  for (const std::string& reading : readings) {
    std::string folded;
    Require(!reading.empty() && AppendKanaReading(reading, folded) && folded == reading,
            "a reading that is not hiragana");
  }
  const size_t count = readings.size();
  std::sort(readings.begin(), readings.end());
  Require(std::unique(readings.begin(), readings.end()) == readings.end() && readings.size() == count,
          "a reading twice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UnidicReadings table;
  table.Load(std::string(reinterpret_cast<const char*>(data), size));
  for (const std::string& word : Words()) {
    RequireReadings(table.Find(word));
    std::vector<std::string> pairs;
    // A kanji's place the table shows no reading in takes one given for it
    // alone ("に").
    for (auto& r : table.PairReadings(word, 3, {"\x82\xC9"}, {"\x82\xC9"})) pairs.push_back(std::move(r.reading));
    Require(pairs.size() <= 3, "more pair readings than asked for");
    RequireReadings(pairs);
  }
  return 0;
}
