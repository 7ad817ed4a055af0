#include "readings/reading_proposer.h"

#include <mecab.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "convert/reading_conversion.h"
#include "readings/kana_folding.h"
#include "readings/skk_dictionary.h"
#include "convert/sjis_text.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
// Where Debian's mecab-ipadic-utf8 and skkdic put the dictionaries.
constexpr const char* kDebianIpadic = "/var/lib/mecab/dic/ipadic-utf8";
constexpr const char* kDebianSkk = "/usr/share/skk/SKK-JISYO.L";
#endif

std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool IsFile(std::string_view utf8) {
  std::error_code error;
  return std::filesystem::is_regular_file(PathOf(utf8), error);
}

std::string Join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/' && path.back() != kSeparator) path.push_back(kSeparator);
  path.append(name);
  return path;
}

bool IsIpadic(std::string_view folder) { return IsFile(Join(folder, "sys.dic")) && IsFile(Join(folder, "dicrc")); }

bool ReadWholeFile(const std::string& utf8Path, std::string& text) {
  std::ifstream in(PathOf(utf8Path), std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// A proposal must make a whole baseform and fit a row.
bool IsWholeReading(const std::string& reading) {
  if (reading.empty() || reading.size() >= kBaseformSize) return false;
  char baseform[kBaseformSize];
  return ConvertReadingToBaseform(reading.c_str(), baseform) == 1;
}

// The field of the IPA dictionary's features that holds the reading.
constexpr int kReadingField = 7;

std::string_view FeatureField(const char* feature, int index) {
  std::string_view rest = feature ? feature : "";
  for (int i = 0; i < index; ++i) {
    const size_t comma = rest.find(',');
    if (comma == std::string_view::npos) return {};
    rest.remove_prefix(comma + 1);
  }
  return rest.substr(0, rest.find(','));
}

// Kanji and "々" alone, in code page 932.
bool IsKanjiAlone(std::string_view sjis) {
  if (sjis.size() % 2 != 0) return false;
  for (size_t at = 0; at < sjis.size(); at += 2) {
    const auto lead = static_cast<unsigned char>(sjis[at]);
    if (!IsSjisKanjiLeadByte(lead) && sjis.substr(at, 2) != "\x81\x58") return false;
  }
  return true;
}

size_t CommonEnds(std::string_view a, std::string_view b) {
  size_t prefix = 0;
  while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
         a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
    ++suffix;
  }
  return prefix + suffix;
}

}  // namespace

struct ReadingProposer::Parts {
  MeCab::Model* model = nullptr;
  MeCab::Tagger* tagger = nullptr;
  MeCab::Lattice* lattice = nullptr;
  SkkReadings skk;
  bool hasSkk = false;
  std::string utf8;     // scratch: the word for the analyser
  std::string sjis;     // scratch: one morpheme's text
  std::string previous;  // scratch: the last morpheme's reading

  ~Parts() {
    delete lattice;
    delete tagger;
    delete model;
  }

  // Kanji the analyser does not know, read one by one with the reading each
  // takes in SKK's compounds: such kanji are rare, and a word of rare kanji
  // is mostly a Sino-Japanese compound. False when one has no such reading.
  bool AppendKanjiByKanji(std::string_view text, std::string& reading) {
    std::string_view last;
    for (size_t at = 0; at < text.size();) {
      const size_t width = SjisCharacterLength(text.substr(at));
      if (width == 0) return false;
      const std::string_view one = text.substr(at, width);
      at += width;
      if (one == "\x81\x58") {  // "々" repeats the kanji before it
        if (last.empty()) return false;
        reading.append(last);
        continue;
      }
      last = skk.CompoundReading(one);
      if (!last.empty()) {
        reading.append(last);
      } else if (!AppendKanaReading(one, reading)) {
        return false;
      }
    }
    return true;
  }

  // The analyser's reading of `word`; `morphemes` is how many it found.
  // With `readUnknownKanji`, kanji missing from its dictionary are read by
  // AppendKanjiByKanji.
  bool Analyse(std::string_view word, std::string& reading, int& morphemes, bool readUnknownKanji) {
    reading.clear();
    morphemes = 0;
    if (!ConvertSjisToUtf8(word, utf8)) return false;
    lattice->set_sentence(utf8.c_str());
    if (!tagger->parse(lattice)) return false;
    for (const MeCab::Node* node = lattice->bos_node()->next; node && node->stat != MECAB_EOS_NODE;
         node = node->next) {
      ++morphemes;
      const size_t before = reading.size();
      std::string_view text = FeatureField(node->feature, kReadingField);
      if (node->stat == MECAB_UNK_NODE || text.empty() || text == "*") {
        text = std::string_view(node->surface, node->length);
      }
      if (!ConvertUtf8ToSjis(text, sjis)) return false;
      if (sjis == "\x81\x58" && !previous.empty()) {
        reading.append(previous);  // "々" on its own repeats the kanji before it
      } else if (!AppendKanaReading(sjis, reading) &&
                 !(readUnknownKanji && node->stat == MECAB_UNK_NODE && AppendKanjiByKanji(sjis, reading))) {
        reading.resize(before);
        previous.clear();
        return false;
      }
      previous.assign(reading, before);
    }
    previous.clear();
    return morphemes > 0 && IsWholeReading(reading);
  }
};

ReadingProposer::ReadingProposer(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}
ReadingProposer::~ReadingProposer() = default;

std::unique_ptr<ReadingProposer> ReadingProposer::Load(const ReadingDictionaries& dictionaries,
                                                       std::string& error) {
  error.clear();
  auto parts = std::make_unique<Parts>();
  // The dictionary's own settings file stands in for a mecabrc, so that
  // nothing outside the folder is read.
  std::string rc = Join(dictionaries.ipadic, "dicrc");
  std::string dir = dictionaries.ipadic;
  std::string program = "lexiforge", r = "-r", d = "-d";
  char* argv[] = {program.data(), r.data(), rc.data(), d.data(), dir.data()};
  parts->model = MeCab::createModel(5, argv);
  if (!parts->model) {
    error = "cannot load the IPA dictionary in " + dictionaries.ipadic + ": " + MeCab::getLastError();
    return nullptr;
  }
  parts->tagger = parts->model->createTagger();
  parts->lattice = parts->model->createLattice();
  if (!parts->tagger || !parts->lattice) {
    error = "cannot start the analyser on " + dictionaries.ipadic;
    return nullptr;
  }
  if (!dictionaries.skk.empty()) {
    std::string text;
    if (!ReadWholeFile(dictionaries.skk, text)) {
      error = "cannot read " + dictionaries.skk;
      return nullptr;
    }
    parts->skk.Load(text);
    parts->hasSkk = true;
  }
  return std::unique_ptr<ReadingProposer>(new ReadingProposer(std::move(parts)));
}

bool ReadingProposer::HasSkk() const { return parts_->hasSkk; }

namespace {

// A word of kana alone is its own reading: true when `word` is one (with
// `proposed` saying whether it reads whole), false when the analyser is
// needed.
bool ReadKanaWord(std::string_view word, std::string& reading, bool& proposed) {
  reading.clear();
  proposed = false;
  if (word.empty() || word.size() >= kBaseformSize) return true;
  if (!AppendKanaReading(word, reading)) return false;
  proposed = IsWholeReading(reading);
  if (!proposed) reading.clear();
  return true;
}

}  // namespace

bool ReadingProposer::ProposeByAnalyser(std::string_view word, std::string& reading) {
  if (bool proposed; ReadKanaWord(word, reading, proposed)) return proposed;
  int morphemes = 0;
  if (parts_->Analyse(word, reading, morphemes, false)) return true;
  reading.clear();
  return false;
}

bool ReadingProposer::Propose(std::string_view word, std::string& reading) {
  if (bool proposed; ReadKanaWord(word, reading, proposed)) return proposed;
  int morphemes = 0;
  const bool analysed = parts_->Analyse(word, reading, morphemes, parts_->hasSkk);
  if (!analysed) reading.clear();
  if (!parts_->hasSkk) return analysed;

  const std::vector<std::string_view> known = parts_->skk.Find(word);
  if (known.empty()) {
    // Neither dictionary knows the word and the analyser took it kanji by
    // kanji with each kanji's own word (often a native reading): a word
    // of bare kanji is mostly a Sino-Japanese compound.
    if (analysed && morphemes >= 2 && morphemes * 2 == static_cast<int>(word.size()) && IsKanjiAlone(word)) {
      std::string compound;
      if (parts_->AppendKanjiByKanji(word, compound) && IsWholeReading(compound)) reading = compound;
    }
    return analysed;
  }
  // A word the analyser knows whole is read its way; a compound it puts
  // together from parts misses sound changes at the joins, where SKK's whole
  // word is better: the known reading nearest to the analyser's.
  if (analysed && (morphemes == 1 || std::find(known.begin(), known.end(), reading) != known.end())) return true;
  std::string_view best = known.front();
  if (analysed) {
    size_t bestShared = 0;
    for (std::string_view k : known) {
      const size_t shared = CommonEnds(k, reading);
      if (shared > bestShared) {
        best = k;
        bestShared = shared;
      }
    }
  }
  reading.assign(best);
  if (IsWholeReading(reading)) return true;
  reading.clear();
  return false;
}

std::vector<std::string> ReadingDictionaryFolders(std::string_view programFolder) {
  std::vector<std::string> folders;
  if (!programFolder.empty()) folders.push_back(Join(programFolder, "dic"));
#ifndef _WIN32
  folders.push_back(kDebianIpadic);
#endif
  return folders;
}

bool FindDictionariesIn(std::string_view folder, ReadingDictionaries& found) {
  found = {};
  const std::string nested = Join(folder, "ipadic");
  if (IsIpadic(nested)) {
    found.ipadic = nested;
  } else if (IsIpadic(folder)) {
    found.ipadic = std::string(folder);
  } else {
    return false;
  }
  const std::string skk = Join(folder, "SKK-JISYO.L");
  if (IsFile(skk)) found.skk = skk;
  return true;
}

bool FindReadingDictionaries(std::string_view programFolder, ReadingDictionaries& found) {
  for (const std::string& folder : ReadingDictionaryFolders(programFolder)) {
    if (FindDictionariesIn(folder, found)) {
#ifndef _WIN32
      if (found.skk.empty() && IsFile(kDebianSkk)) found.skk = kDebianSkk;
#endif
      return true;
    }
  }
  found = {};
  return false;
}
