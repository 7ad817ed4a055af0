#pragma once
// The kana-to-kanji dictionary of SKK (SKK-JISYO.L, EUC-JP): each line gives
// a reading and the words written for it. Read the other way round, it gives
// a word's known readings.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SkkReadings {
 public:
  // Takes the dictionary's text. Only entries without okurigana whose reading
  // is hiragana alone count; words and readings are kept in code page 932,
  // and candidates written with characters code page 932 lacks (JIS X 0212,
  // half-width kana), with program code or with number patterns are left
  // out. Lines that cannot be read are passed over: the file is data another
  // project keeps.
  void Load(std::string_view eucText);

  // The readings given for exactly `word`, in the order of the file.
  std::vector<std::string_view> Find(std::string_view word) const;

  // The reading a single kanji (code page 932, two bytes) takes most often
  // in the dictionary's two-kanji words: at the start of the word's reading
  // when it is the first kanji, at the end when it is the second. That is
  // mostly its Sino-Japanese reading, the one a compound of rare kanji is
  // read with; when no such word confirms any, its shortest reading. Empty
  // when the dictionary has no reading for it alone.
  std::string_view CompoundReading(std::string_view kanji) const;

  size_t EntryCount() const { return entries_.size(); }

 private:
  struct Entry {
    uint32_t word;
    uint32_t reading;
    uint16_t wordLength;
    uint16_t readingLength;
  };
  std::string_view Word(const Entry& e) const { return {text_.data() + e.word, e.wordLength}; }
  std::string_view Reading(const Entry& e) const { return {text_.data() + e.reading, e.readingLength}; }

  void CountCompoundReadings();

  std::string text_;  // every word and reading, packed
  std::vector<Entry> entries_;  // ordered by word
  std::vector<Entry> compoundReadings_;  // one per single kanji, ordered by it
};
