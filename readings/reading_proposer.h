#pragma once
// Proposes the reading of a word that has none: the morphological analyser
// MeCab with the IPA dictionary reads the word morpheme by morpheme, and
// SKK's dictionary and UniDic's readings, where present, supply the readings
// they know for the whole word and its parts. All are data found at run
// time.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "readings/dictionary_check.h"

// Where the dictionaries are (UTF-8 paths). `skk` may be empty: proposals
// are then the analyser's alone.
struct ReadingDictionaries {
  std::string ipadic;  // a compiled IPA dictionary for MeCab, UTF-8 (sys.dic, dicrc, ...)
  std::string skk;     // SKK-JISYO.L
  std::string unidic;  // unidic-readings.txt (UniDic's readings, see unidic_readings.h)
};

// The places looked at, in order: "dic" in `programFolder` (holding "ipadic"
// and perhaps "SKK-JISYO.L"), then, except on Windows, where Debian's
// mecab-ipadic-utf8 puts its dictionary. A Windows program looks beside
// itself only.
std::vector<std::string> ReadingDictionaryFolders(std::string_view programFolder);

// Looks in `folder` for the dictionaries: an IPA dictionary in "ipadic" or
// in the folder itself, and "SKK-JISYO.L" and "unidic-readings.txt" beside
// it. False when there is no
// IPA dictionary there.
bool FindDictionariesIn(std::string_view folder, ReadingDictionaries& found);

// The first of ReadingDictionaryFolders() that holds an IPA dictionary, with
// SKK-JISYO.L from there or, failing that and except on Windows, from
// Debian's skkdic.
bool FindReadingDictionaries(std::string_view programFolder, ReadingDictionaries& found);

class ReadingProposer {
 public:
  // Loads the dictionaries, each file checked first; nullptr, with `fault`
  // naming the file and what is wrong with it, when the IPA dictionary
  // cannot be loaded or the SKK file or UniDic's table cannot be read.
  static std::unique_ptr<ReadingProposer> Load(const ReadingDictionaries& dictionaries, DictionaryFault& fault);
  ~ReadingProposer();
  ReadingProposer(const ReadingProposer&) = delete;
  ReadingProposer& operator=(const ReadingProposer&) = delete;

  // The reading of `word` (code page 932) in hiragana: true with `reading`
  // set, or false with it empty when there is no proposal. A proposal is
  // whole: every character of the word is read, and the reading converts
  // into a baseform without a gap. Half-width katakana are read as the
  // full-width ones, ASCII letters as full-width ones; digits are read as a
  // number (24 as にじゅうよん), with the word after them only where SKK
  // knows how that word joins the number's last figure (四時 よじ for
  // 24時間), and never figure by figure. A word of symbols alone has none.
  // A fault inside (an exception) gives false too, and Failed() from then on.
  bool Propose(std::string_view word, std::string& reading);

  // Every reading considered for `word`, best first, each once, at most
  // kMaxCandidates of them; empty when there is no proposal. The first is
  // Propose's. They are the analyser's readings of the whole word (its best
  // analyses in turn), SKK's and UniDic's readings of the whole word, and
  // readings put together from its parts (with the voicing SKK or UniDic
  // gives a part where it lists the part's voiced form; two kanji also as
  // UniDic's words of the same kanji read them).
  std::vector<std::string> Candidates(std::string_view word);
  static constexpr size_t kMaxCandidates = 8;

  // The analyser's reading alone, under the same rules, for comparing.
  bool ProposeByAnalyser(std::string_view word, std::string& reading);

  bool HasSkk() const;
  bool HasUnidic() const;

  // True once a proposal has failed by a fault rather than for want of a
  // reading; every later proposal is refused.
  bool Failed() const { return failed_; }

  // Where it was loaded from, to name in a message.
  const ReadingDictionaries& Dictionaries() const { return dictionaries_; }

 private:
  struct Parts;
  void Rank(std::string_view word, std::vector<std::string>& readings, bool all);
  explicit ReadingProposer(std::unique_ptr<Parts> parts);
  bool ProposeByAnalyserWhole(std::string_view word, std::string& reading);
  std::unique_ptr<Parts> parts_;
  ReadingDictionaries dictionaries_;
  bool failed_ = false;
};
