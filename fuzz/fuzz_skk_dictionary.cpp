// SKK-JISYO.L is data from outside the program: any bytes given as the
// dictionary are indexed and looked up without crashing, hanging or taking
// memory out of proportion, and whatever is found is a hiragana reading,
// each once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/sjis_text.h"
#include "fuzz/fuzz_support.h"
#include "readings/kana_folding.h"
#include "readings/skk_dictionary.h"

namespace {

// Words of the seeds (fuzz/corpus/skk_dictionary), a stem, single kanji and
// odd texts.
const std::vector<std::string>& Words() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> sjis;
    for (const char* utf8 : {"漢字", "幹事", "監視", "学", "生", "大", "学生", "大学", "鏃", "洗", "響", "寿司", "々",
                             "「", "ABC", "a", ""}) {
      std::string word;
      Require(ConvertUtf8ToSjis(utf8, word), "a word of the target is not in code page 932");
      sjis.push_back(word);
    }
    sjis.push_back("\x82");      // a lead byte cut off
    sjis.push_back("\x81\x7f");  // no character
    return sjis;
  }();
  return words;
}

// A reading is hiragana (and "ー") alone: folding it changes nothing.
void RequireReading(const std::string& reading) {
  std::string folded;
  Require(!reading.empty() && AppendKanaReading(reading, folded) && folded == reading, "a reading that is not hiragana");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SkkReadings skk;
  skk.Load(std::string(reinterpret_cast<const char*>(data), size));
  Require(skk.EntryCount() <= size, "more entries than bytes");
  for (const std::string& word : Words()) {
    std::vector<std::string> readings = skk.Find(word);
    for (const std::string& reading : readings) RequireReading(reading);
    const size_t count = readings.size();
    std::sort(readings.begin(), readings.end());
    Require(std::unique(readings.begin(), readings.end()) == readings.end() && readings.size() == count,
            "a reading twice");
    for (const SkkReadings::Stem& stem : skk.FindStems(word)) {
      RequireReading(stem.reading);
      Require(stem.okuri >= 'a' && stem.okuri <= 'z', "a stem without its okuri letter");
    }
    const std::string compound = skk.CompoundReading(word);
    if (!compound.empty()) RequireReading(compound);
    for (const std::string& reading : readings) skk.EndsCompound(word, reading);
  }
  return 0;
}
