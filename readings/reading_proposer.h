#pragma once
// Proposes the reading of a word that has none: the morphological analyser
// MeCab with the IPA dictionary reads the word morpheme by morpheme, and
// SKK's dictionary, where present, supplies the readings it knows for the
// whole word. Both are data folders found at run time.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Where the dictionaries are (UTF-8 paths). `skk` may be empty: proposals
// are then the analyser's alone.
struct ReadingDictionaries {
  std::string ipadic;  // a compiled IPA dictionary for MeCab, UTF-8 (sys.dic, dicrc, ...)
  std::string skk;     // SKK-JISYO.L
};

// The places looked at, in order: "dic" in `programFolder` (holding "ipadic"
// and perhaps "SKK-JISYO.L"), then, except on Windows, where Debian's
// mecab-ipadic-utf8 puts its dictionary. A Windows program looks beside
// itself only.
std::vector<std::string> ReadingDictionaryFolders(std::string_view programFolder);

// Looks in `folder` for the dictionaries: an IPA dictionary in "ipadic" or
// in the folder itself, and "SKK-JISYO.L" beside it. False when there is no
// IPA dictionary there.
bool FindDictionariesIn(std::string_view folder, ReadingDictionaries& found);

// The first of ReadingDictionaryFolders() that holds an IPA dictionary, with
// SKK-JISYO.L from there or, failing that and except on Windows, from
// Debian's skkdic.
bool FindReadingDictionaries(std::string_view programFolder, ReadingDictionaries& found);

class ReadingProposer {
 public:
  // Loads the dictionaries; nullptr, with `error` saying why, when the IPA
  // dictionary cannot be loaded or the SKK file cannot be read.
  static std::unique_ptr<ReadingProposer> Load(const ReadingDictionaries& dictionaries, std::string& error);
  ~ReadingProposer();
  ReadingProposer(const ReadingProposer&) = delete;
  ReadingProposer& operator=(const ReadingProposer&) = delete;

  // The reading of `word` (code page 932) in hiragana: true with `reading`
  // set, or false with it empty when there is no proposal. A proposal is
  // whole: every character of the word is read, and the reading converts
  // into a baseform without a gap.
  bool Propose(std::string_view word, std::string& reading);

  // The analyser's reading alone, under the same rules, for comparing.
  bool ProposeByAnalyser(std::string_view word, std::string& reading);

  bool HasSkk() const;

 private:
  struct Parts;
  explicit ReadingProposer(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
};
