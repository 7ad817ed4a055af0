#pragma once
// The kana-to-kanji dictionary of SKK (SKK-JISYO.L, EUC-JP): each line gives
// a reading and the words written for it. Read the other way round, it gives
// a word's known readings.
//
// The file is kept as it is and indexed the first time a word is looked up:
// one pass over it that records where each candidate lies, no conversion and
// no sort, so that a program asking for one word does not pay for reading
// the whole dictionary into a table first. What a kanji reads as in
// compounds is worked out for that kanji when it is first asked for.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "readings/mapped_file.h"

class SkkReadings {
 public:
  // Takes the dictionary's text. Entries whose reading is hiragana alone
  // count as whole words; entries whose reading is hiragana and one Latin
  // letter (the okuri-ari ones: "ひびk /響/") give the stem of a word written
  // with okurigana. Candidates with program code, with number patterns or
  // with characters code page 932 lacks are never found. Lines that cannot
  // be read are passed over: the file is data another project keeps.
  void Load(std::string eucText);
  // The same over the file mapped, which stays mapped while this lives.
  void Load(std::unique_ptr<MappedFile> file);

  // The readings given for exactly `word` (code page 932), in code page 932,
  // in the order of the file, each once; those the file marks archaic
  // (an annotation that says 古語: 三日 みか beside みっか) after the others.
  std::vector<std::string> Find(std::string_view word) const;

  // A stem written `kanji` (code page 932) and the reading it takes before
  // okurigana: `okuri` is the Latin letter that starts the romanised
  // okurigana ('k' for "く", 'm' for "め").
  struct Stem {
    std::string reading;
    char okuri;
  };
  std::vector<Stem> FindStems(std::string_view kanji) const;

  // The reading a single kanji (code page 932, two bytes) takes most often
  // in the dictionary's two-kanji words: at the start of the word's reading
  // when it is the first kanji, at the end when it is the second. That is
  // mostly its Sino-Japanese reading, the one a compound of rare kanji is
  // read with; when no such word confirms any, its shortest reading. Empty
  // when the dictionary has no reading for it alone.
  std::string CompoundReading(std::string_view kanji) const;

  // True when SKK holds a compound that ends with `part` (code page 932)
  // read `reading` (hiragana, code page 932) at its end: a longer word whose
  // reading ends so (毛虱 けじらみ for 虱 read じらみ). That is how the
  // dictionary shows the voicing a part takes in compounds.
  bool EndsCompound(std::string_view part, std::string_view reading) const;

  // How many candidates the index holds (words and stems).
  size_t EntryCount() const;

 private:
  struct Entry {
    uint32_t word;     // offset of the candidate in text_ (EUC-JP)
    uint32_t reading;  // offset of the line's reading in text_
    uint32_t next;     // the entry before it in the same bucket, or kNone
    uint16_t wordLength : 15;
    uint16_t archaic : 1;   // annotated as an archaic word
    uint8_t readingLength;  // without the okuri letter
    char okuri;             // 0 for a whole word
  };
  static constexpr uint32_t kNone = UINT32_MAX;

  std::string_view Word(const Entry& e) const { return {text_.data() + e.word, e.wordLength}; }
  std::string_view EucReading(const Entry& e) const { return {text_.data() + e.reading, e.readingLength}; }
  void Index() const;
  void IndexLine(const char* line, const char* end) const;
  // The entries for `eucWord`, in the order of the file.
  std::vector<const Entry*> Lookup(std::string_view eucWord) const;
  void Group() const;
  std::string ChooseCompoundReading(std::string_view eucKanji) const;

  void Forget();

  std::string ownText_;
  std::unique_ptr<MappedFile> file_;
  std::string_view text_;  // ownText_ or the file's
  // Built on first use; the proposer is used from one thread.
  mutable bool indexed_ = false;
  mutable std::vector<Entry> entries_;
  mutable std::vector<uint32_t> buckets_;  // the last entry of each bucket
  // Whole words of two characters or more by their last two bytes, and
  // two-kanji words by their first kanji: the entries of group k are
  // byLast_[lastStarts_[k]] up to byLast_[lastStarts_[k + 1]], in the order
  // of the file. A group holds every word of its two bytes and, in a small
  // dictionary, those of others that share the group. Built the first time
  // a compound is asked for.
  mutable bool grouped_ = false;
  mutable uint32_t groupMask_ = 0;
  mutable std::vector<uint32_t> byLast_, lastStarts_, byFirst_, firstStarts_;
  uint32_t GroupOf(std::string_view two) const;
  // CompoundReading's answers so far, by the kanji's two EUC-JP bytes.
  mutable std::unordered_map<uint32_t, std::string> compoundReadings_;
};
