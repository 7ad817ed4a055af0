#pragma once
// The readings UniDic gives words written with kanji, from the table
// scripts/make-unidic-readings.py derives from it (dic/unidic-readings.txt):
// one line per word, in code page 932, sorted by the word's bytes,
// WORD<TAB>READING[<TAB>READING...], the readings in katakana, the likeliest
// first. UniDic lists the forms a word takes inside compounds as readings of
// their own (寿司 スシ and ズシ), so the table also shows a part's voicing.
//
// The text is kept as it is (the file mapped) and searched by halves, so
// that loading costs no read and no index. A table out of order or with lines that cannot be
// read gives fewer readings, never a fault: the file is data from outside.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "readings/mapped_file.h"

class UnidicReadings {
 public:
  // Takes the table's text.
  void Load(std::string sjisText);
  // The same over the file mapped, which stays mapped while this lives.
  void Load(std::unique_ptr<MappedFile> file);

  // The readings given for exactly `word` (code page 932), in hiragana (code
  // page 932), in the table's order, each once; readings that are not kana
  // are passed over.
  std::vector<std::string> Find(std::string_view word) const;

  // For a word of two kanji (code page 932) the table does not hold whole:
  // readings made of a reading the first kanji takes at the start of the
  // table's two-kanji words and one the second takes at their end, best
  // first, at most `count`. A part's reading is learnt from a word where the
  // kanji's own reading alone, or the other kanji's, accounts for its part
  // (with the forms a reading takes inside a compound: a final く, つ, ち or
  // き made っ at the start, a first kana voiced or made p at the end). The
  // score is how many words show the first part times how many show the
  // second, ten times that where both parts are of one kind: both shaped as
  // Sino-Japanese readings are (one syllable, perhaps with ん, う, い, く,
  // き, つ, ち or っ after it) or neither is, as a compound mostly reads its
  // kanji one way. Parts that cannot meet are not joined: っ before a kana
  // that cannot follow it, a p-sound after anything but っ or ん. A kanji
  // the table's words show in no reading at its place, beside one they do,
  // is read as `firstAlone` or `secondAlone` give it (hiragana, code page
  // 932: what another dictionary reads the kanji alone), each reading
  // counted once.
  struct ScoredReading {
    std::string reading;  // hiragana, code page 932
    unsigned long long score;
  };
  std::vector<ScoredReading> PairReadings(std::string_view word, size_t count,
                                          const std::vector<std::string>& firstAlone = {},
                                          const std::vector<std::string>& secondAlone = {}) const;

  bool Empty() const { return text_.empty(); }

 private:
  // The rest of the line of `word` after its tab, or an empty view.
  std::string_view Line(std::string_view word) const;
  // The offset of the first line whose word is not less than `word`.
  size_t LowerBound(std::string_view word) const;
  std::string_view LineAt(size_t offset) const;
  // The readings on a line after its word, folded, each once.
  static std::vector<std::string> ReadingsOf(std::string_view line);
  // The readings on a line after its word as the table writes them.
  static std::vector<std::string_view> RawReadingsOf(std::string_view line);
  // A reading a kanji takes at one end of two-kanji words, and how many
  // words show it.
  struct PartReading {
    std::string reading;  // hiragana, code page 932
    unsigned count;
  };
  // Adds to `parts` the readings the two-kanji word on `line` gives its
  // kanji at `end` (0 the first, 1 the second), whose own readings in a
  // compound are `own`.
  void CountPart(std::string_view line, int end, const std::vector<std::string>& own,
                 std::vector<PartReading>& parts) const;
  // The readings of `kanji` at `end` over every two-kanji word with it
  // there, kept once counted.
  const std::vector<PartReading>& PartReadings(std::string_view kanji, int end) const;

  void Forget();

  std::string ownText_;
  std::unique_ptr<MappedFile> file_;
  std::string_view text_;  // ownText_ or the file's
  // The lines of two-kanji words by their second kanji, in the table's
  // order: those of the kanji with bytes k are bySecond_[secondStarts_[k]]
  // up to bySecond_[secondStarts_[k + 1]]. Built on first use (the proposer
  // is used from one thread).
  static constexpr size_t kKanjiKeys = 0x10000;
  mutable bool pairsIndexed_ = false;
  mutable std::vector<uint32_t> bySecond_, secondStarts_;
  mutable std::unordered_map<std::string, std::vector<PartReading>> partReadings_;  // end ('0', '1') and kanji
};
