#pragma once
// The readings UniDic gives words written with kanji, from the table
// scripts/make-unidic-readings.py derives from it (dic/unidic-readings.txt):
// one line per word, in code page 932, sorted by the word's bytes,
// WORD<TAB>READING[<TAB>READING...], the readings in katakana, the likeliest
// first. UniDic lists the forms a word takes inside compounds as readings of
// their own (寿司 スシ and ズシ), so the table also shows a part's voicing.
//
// The text is kept as it is and searched by halves, so that loading costs
// one read and no index. A table out of order or with lines that cannot be
// read gives fewer readings, never a fault: the file is data from outside.

#include <string>
#include <string_view>
#include <vector>

class UnidicReadings {
 public:
  // Takes the table's text.
  void Load(std::string sjisText);

  // The readings given for exactly `word` (code page 932), in hiragana (code
  // page 932), in the table's order, each once; readings that are not kana
  // are passed over.
  std::vector<std::string> Find(std::string_view word) const;

  bool Empty() const { return text_.empty(); }

 private:
  // The rest of the line of `word` after its tab, or an empty view.
  std::string_view Line(std::string_view word) const;

  std::string text_;
};
