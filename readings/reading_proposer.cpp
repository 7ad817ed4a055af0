#include "readings/reading_proposer.h"

#include <mecab.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "convert/reading_conversion.h"
#include "convert/sjis_text.h"
#include "readings/kana_folding.h"
#include "readings/mapped_file.h"
#include "readings/skk_dictionary.h"
#include "readings/unidic_readings.h"

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

// A proposal must make a whole baseform and fit a row. A reading put
// together is mostly checked twice running, once made and once added to the
// candidates: the last one found whole is remembered.
bool IsWholeReading(const std::string& reading) {
  if (reading.empty() || reading.size() >= kBaseformSize) return false;
  thread_local std::string lastWhole;
  if (reading == lastWhole) return true;
  char baseform[kBaseformSize];
  if (ConvertReadingToBaseform(reading.c_str(), baseform) != 1) return false;
  lastWhole = reading;
  return true;
}

// The fields of the IPA dictionary's features that hold the reading and
// the part of speech's second subdivision ("人名" for a person's name).
constexpr int kReadingField = 7;
constexpr int kNameField = 2;
constexpr std::string_view kPersonName = "人名";  // the features are UTF-8

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

namespace {

// One morpheme of an analysis: its text and, when it could be read, its
// reading (hiragana), both in code page 932.
struct Morpheme {
  std::string surface;
  std::string reading;
  bool unknown = false;  // not in the analyser's dictionary
  bool name = false;     // read as a person's name
};
using Analysis = std::vector<Morpheme>;

// How many of the analyser's best analyses are looked at.
constexpr size_t kAnalyses = 5;
// How many readings of a pair of kanji from UniDic's words are offered.
constexpr size_t kPairReadings = 4;
// The most morphemes a part SKK knows whole is looked for across.
constexpr size_t kLongestRun = 4;

bool HasKanji(std::string_view sjis) {
  for (size_t at = 0; at < sjis.size();) {
    const auto lead = static_cast<unsigned char>(sjis[at]);
    if (IsSjisKanjiLeadByte(lead)) return true;
    at += IsSjisLeadByte(lead) ? 2 : 1;
  }
  return false;
}

bool Contains(const std::vector<std::string>& list, std::string_view s) {
  return std::find(list.begin(), list.end(), s) != list.end();
}

// `first`, then the readings of `second` it lacks.
std::vector<std::string> Merged(std::vector<std::string> first, const std::vector<std::string>& second) {
  for (const std::string& r : second) {
    if (!Contains(first, r)) first.push_back(r);
  }
  return first;
}

// The first of UniDic's readings that SKK lists too; empty when they share
// none.
std::string FirstOfBoth(const std::vector<std::string>& skk, const std::vector<std::string>& unidic) {
  for (const std::string& r : unidic) {
    if (Contains(skk, r)) return r;
  }
  return {};
}

// The reading in `known` nearest to `reading`: the one sharing the most of
// its start and end; of equals, the first.
size_t Nearest(const std::vector<std::string>& known, std::string_view reading) {
  size_t best = 0, bestShared = 0;
  for (size_t i = 0; i < known.size(); ++i) {
    const size_t shared = CommonEnds(known[i], reading);
    if (shared > bestShared) {
      best = i;
      bestShared = shared;
    }
  }
  return best;
}

// `known` ordered nearest to `reading` first.
std::vector<std::string> NearestFirst(std::vector<std::string> known, std::string_view reading) {
  std::vector<std::string> ordered;
  while (!known.empty()) {
    const size_t at = Nearest(known, reading);
    ordered.push_back(std::move(known[at]));
    known.erase(known.begin() + static_cast<std::ptrdiff_t>(at));
  }
  return ordered;
}

void DecodeUtf8(std::string_view utf8, std::u32string& out) {
  out.clear();
  for (size_t at = 0; at < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[at]);
    const size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? b : b & (0x7F >> length);
    for (size_t i = 1; i < length && at + i < utf8.size(); ++i) c = (c << 6) | (utf8[at + i] & 0x3F);
    out.push_back(c);
    at += length;
  }
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string Utf8Of(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) AppendUtf8(c, out);
  return out;
}

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// Numbers: each figure's kanji, and how each is read alone, before 十, 百
// and 千 (with their sound changes: さんびゃく, はっせん).
constexpr const char* kFigureKanji[] = {"〇", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
constexpr const char* kOnes[] = {"ぜろ", "いち", "に", "さん", "よん", "ご", "ろく", "なな", "はち", "きゅう"};
constexpr const char* kTens[] = {"", "じゅう", "にじゅう", "さんじゅう", "よんじゅう", "ごじゅう", "ろくじゅう",
                                 "ななじゅう", "はちじゅう", "きゅうじゅう"};
constexpr const char* kHundreds[] = {"", "ひゃく", "にひゃく", "さんびゃく", "よんひゃく", "ごひゃく", "ろっぴゃく",
                                     "ななひゃく", "はっぴゃく", "きゅうひゃく"};
constexpr const char* kThousands[] = {"", "せん", "にせん", "さんぜん", "よんせん", "ごせん", "ろくせん", "ななせん",
                                      "はっせん", "きゅうせん"};
constexpr const char* kUnitKanji[] = {"十", "百", "千"};
constexpr const char* kGroupKanji[] = {"", "万", "億"};
constexpr const char* kGroupReading[] = {"", "まん", "おく"};

// One term of a number read aloud: its kanji (UTF-8) and reading (UTF-8).
struct NumberTerm {
  std::string kanji;
  std::string reading;
  int figure = 0;  // for a term of tens, the figure before 十 (二 in 二十)
};

// The terms of the number `digits` (ASCII, no leading zero unless it is
// "0"), as 千九百九十五 is read: せん, きゅうひゃく, きゅうじゅう, ご. False
// for numbers of more than twelve figures and for figures with leading
// zeros, which are codes rather than numbers.
bool NumberTerms(std::string_view digits, std::vector<NumberTerm>& terms) {
  terms.clear();
  if (digits.empty() || digits.size() > 12 || (digits.size() > 1 && digits[0] == '0')) return false;
  if (digits == "0") {
    terms.push_back({kFigureKanji[0], kOnes[0]});
    return true;
  }
  const size_t groups = (digits.size() + 3) / 4;
  size_t at = 0;
  for (size_t g = groups; g-- > 0;) {
    const size_t width = digits.size() - at - g * 4;
    const std::string_view group = digits.substr(at, width);
    at += width;
    if (group.find_first_not_of('0') == std::string_view::npos) continue;
    for (size_t i = 0; i < group.size(); ++i) {
      const int figure = group[i] - '0';
      const size_t power = group.size() - 1 - i;
      if (figure == 0) continue;
      if (power == 0) {
        terms.push_back({kFigureKanji[figure], kOnes[figure]});
        continue;
      }
      const char* const* readings = power == 1 ? kTens : power == 2 ? kHundreds : kThousands;
      terms.push_back({std::string(figure > 1 ? kFigureKanji[figure] : "") + kUnitKanji[power - 1], readings[figure],
                       power == 1 ? figure : 0});
    }
    if (g > 0) terms.push_back({kGroupKanji[g], kGroupReading[g]});
  }
  return true;
}

// Appends the code page 932 form of `utf8`; false when it has none.
bool AppendSjis(std::string_view utf8, std::string& out) {
  std::string sjis;
  if (!ConvertUtf8ToSjis(utf8, sjis)) return false;
  out += sjis;
  return true;
}

}  // namespace

struct ReadingProposer::Parts {
  MeCab::Model* model = nullptr;
  MeCab::Tagger* tagger = nullptr;
  MeCab::Lattice* lattice = nullptr;
  SkkReadings skk;
  bool hasSkk = false;
  UnidicReadings unidic;
  std::string sjis;  // scratch: one morpheme's text

  ~Parts() {
    delete lattice;
    delete tagger;
    delete model;
  }

  // SKK's readings of `word`: those it lists for the word whole, then, for
  // kanji with okurigana after them, the stems its okuri-ari entries give
  // the kanji before those okurigana (来る: く before る).
  std::vector<std::string> Skk(std::string_view word) const {
    if (!hasSkk) return {};
    std::vector<std::string> readings = skk.Find(word);
    size_t stemEnd = 0;  // just past the last kanji
    for (size_t at = 0; at < word.size();) {
      const size_t step = SjisStepLength(word.substr(at));
      if (IsSjisKanjiLeadByte(static_cast<unsigned char>(word[at]))) stemEnd = at + step;
      at += step;
    }
    std::string okurigana;
    if (stemEnd == 0 || stemEnd == word.size() || !AppendKanaReading(word.substr(stemEnd), okurigana)) return readings;
    for (std::string& reading : StemReadings(word.substr(0, stemEnd), okurigana)) {
      reading += okurigana;
      if (!Contains(readings, reading)) readings.push_back(std::move(reading));
    }
    return readings;
  }

  // The readings SKK's okuri-ari entries give `kanji` as the stem before
  // okurigana beginning as `okurigana` does.
  std::vector<std::string> StemReadings(std::string_view kanji, std::string_view okurigana) const {
    std::vector<std::string> stems;
    const char okuri = OkuriLetter(okurigana);
    if (!hasSkk || okuri == 0) return stems;
    for (SkkReadings::Stem& stem : skk.FindStems(kanji)) {
      if (stem.okuri == okuri) stems.push_back(std::move(stem.reading));
    }
    return stems;
  }

  std::vector<std::string> Unidic(std::string_view word) const { return unidic.Find(word); }

  // Two kanji read as UniDic's two-kanji words read each kanji there, or as
  // SKK reads a kanji alone where they show none.
  std::vector<UnidicReadings::ScoredReading> PairReadings(std::string_view word, size_t count) const {
    if (word.size() != 4) return {};
    return unidic.PairReadings(word, count, Skk(word.substr(0, 2)), Skk(word.substr(2, 2)));
  }

  // The readings either dictionary gives `word` whole: SKK's, then UniDic's
  // others.
  std::vector<std::string> Known(std::string_view word) const { return Merged(Skk(word), Unidic(word)); }

  // Kanji the analyser does not know, read one by one with the reading each
  // takes in SKK's compounds: such kanji are rare, and a word of rare kanji
  // is mostly a Sino-Japanese compound. False when one has no such reading.
  bool AppendKanjiByKanji(std::string_view text, std::string& reading) {
    if (!hasSkk) return false;
    std::string last;
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

  // The reading "々" takes after a morpheme written `before` and read
  // `beforeReading`: the reading of the one kanji right before it. That is
  // the whole morpheme's when it is that kanji alone, else the kanji's
  // compound reading from SKK; empty when neither is known.
  std::string RepeatedReading(std::string_view before, std::string_view beforeReading) const {
    size_t last = 0;
    for (size_t at = 0; at < before.size(); at += SjisStepLength(before.substr(at))) last = at;
    const std::string_view kanji = before.substr(last);
    if (kanji.size() != 2 || !IsKanjiAlone(kanji)) return {};
    if (last == 0) return std::string(beforeReading);
    return hasSkk ? skk.CompoundReading(kanji) : std::string();
  }

  // The analyser's `count` best analyses of `utf8Word` (fewer when there are
  // fewer), each morpheme with the reading its dictionary gives, folded to
  // hiragana.
  void Analyse(const std::string& utf8Word, size_t count, std::vector<Analysis>& analyses) {
    analyses.clear();
    lattice->set_request_type(count > 1 ? MECAB_NBEST : MECAB_ONE_BEST);
    lattice->set_sentence(utf8Word.c_str());
    if (!tagger->parse(lattice)) return;
    do {
      Analysis& analysis = analyses.emplace_back();
      for (const MeCab::Node* node = lattice->bos_node()->next; node && node->stat != MECAB_EOS_NODE;
           node = node->next) {
        Morpheme& m = analysis.emplace_back();
        m.unknown = node->stat == MECAB_UNK_NODE;
        m.name = FeatureField(node->feature, kNameField) == kPersonName;
        if (!ConvertUtf8ToSjis(std::string_view(node->surface, node->length), m.surface)) {
          analyses.pop_back();
          break;
        }
        std::string_view text = FeatureField(node->feature, kReadingField);
        if (m.unknown || text.empty() || text == "*") text = std::string_view(node->surface, node->length);
        if (m.surface == "\x81\x58") {
          // "々" on its own repeats the one kanji before it, not the morpheme.
          if (analysis.size() > 1) {
            const Morpheme& before = analysis[analysis.size() - 2];
            m.reading = RepeatedReading(before.surface, before.reading);
          }
        } else if (ConvertUtf8ToSjis(text, sjis)) {
          AppendKanaReading(sjis, m.reading);
        }
      }
    } while (analyses.size() < count && lattice->next());
  }

  // The whole reading of an analysis; morphemes without a reading are read
  // kanji by kanji when the analyser does not know them (with
  // `readUnknownKanji`), or with SKK's first reading when it knows them with
  // no reading of its own. False when a morpheme stays unread.
  bool ReadAnalysis(const Analysis& analysis, std::string& reading, bool readUnknownKanji) {
    reading.clear();
    if (analysis.empty()) return false;
    for (const Morpheme& m : analysis) {
      if (!m.reading.empty()) {
        reading += m.reading;
        continue;
      }
      if (!readUnknownKanji) return false;
      if (m.unknown) {
        if (!AppendKanjiByKanji(m.surface, reading)) return false;
        continue;
      }
      const std::vector<std::string> known = Skk(m.surface);
      if (known.empty()) return false;
      reading += known.front();
    }
    return IsWholeReading(reading);
  }

  // A morpheme in kanji whose reading the dictionaries contradict: SKK or
  // UniDic knows the word and neither lists that reading (金 read きむ), or
  // SKK knows it as the stem of a word written with the okurigana that
  // follow, with another reading (響 before めく: どよ, not ひびき). The
  // reading they give instead, nearest to the analyser's, in `better`.
  bool Slipped(const Analysis& analysis, size_t i, std::string& better) {
    const Morpheme& m = analysis[i];
    if (m.reading.empty() || !HasKanji(m.surface)) return false;
    if (i + 1 < analysis.size() && !HasKanji(analysis[i + 1].surface)) {
      const std::vector<std::string> stems = StemReadings(m.surface, analysis[i + 1].surface);
      if (!stems.empty() && !Contains(stems, m.reading)) {
        better = stems[Nearest(stems, m.reading)];
        return true;
      }
    }
    const std::vector<std::string> skkReadings = Skk(m.surface), unidicReadings = Unidic(m.surface);
    const std::vector<std::string> known = Merged(skkReadings, unidicReadings);
    if (known.empty()) return false;
    if (Contains(known, m.reading)) {
      // A word of two characters or more that both dictionaries read
      // otherwise first (襤褸 ぼろ, not the analyser's らんる).
      if (m.surface.size() < 4 || skkReadings.empty() || unidicReadings.empty() ||
          skkReadings[0] != unidicReadings[0] || skkReadings[0] == m.reading) {
        return false;
      }
      better = skkReadings[0];
      return true;
    }
    std::string voiced = m.reading;
    if (i > 0 && VoiceFirstKana(voiced) && Contains(known, voiced)) return false;
    better = known[Nearest(known, m.reading)];
    return true;
  }

  // The analysis checked against the dictionaries part by part: where SKK
  // or UniDic knows a run of two or more morphemes as one word (乍ら in
  // 乍らも), the longest such run becomes one part; a part whose reading
  // they do not list for it, or a slipped morpheme, is read as they read
  // it. `slips` is how many parts changed.
  Analysis Mended(const Analysis& analysis, int& slips) {
    Analysis mended;
    slips = 0;
    std::string better;
    for (size_t i = 0; i < analysis.size();) {
      Morpheme run;
      std::vector<std::string> skkRun, unidicRun;
      size_t span = 1;
      for (size_t j = std::min(analysis.size(), i + kLongestRun); j > i + 1 && span == 1; --j) {
        run = {};
        for (size_t k = i; k < j; ++k) {
          run.surface += analysis[k].surface;
          run.reading += analysis[k].reading;
        }
        if (!HasKanji(run.surface)) continue;
        skkRun = Skk(run.surface);
        unidicRun = Unidic(run.surface);
        if (!skkRun.empty() || !unidicRun.empty()) span = j - i;
      }
      if (span > 1) {
        // Where both dictionaries list a reading of the run and not the
        // analyser's, theirs (一人 in 一人で as ひとり, not いちにん).
        const std::string agreed = FirstOfBoth(skkRun, unidicRun);
        const std::vector<std::string> known = Merged(skkRun, unidicRun);
        if (!agreed.empty() && !(Contains(skkRun, run.reading) && Contains(unidicRun, run.reading))) {
          run.reading = agreed;
          ++slips;
        } else if (!Contains(known, run.reading)) {
          run.reading = known[Nearest(known, run.reading)];
          ++slips;
        }
        mended.push_back(std::move(run));
        i += span;
        continue;
      }
      mended.push_back(analysis[i]);
      if (Slipped(analysis, i, better)) {
        mended.back().reading = better;
        ++slips;
      }
      ++i;
    }
    return mended;
  }

  // The analysis with each later part in kanji voiced where SKK or UniDic
  // lists the voiced form of its reading for it (寿司 as ずし in 握り寿司;
  // UniDic lists the forms its words take inside compounds) or SKK has a
  // compound ending with the part so voiced (虱 as じらみ in 毛虱); false
  // when no part changed.
  bool Voiced(Analysis& analysis) {
    bool changed = false;
    for (size_t i = 1; i < analysis.size(); ++i) {
      Morpheme& m = analysis[i];
      std::string voiced = m.reading;
      if (!HasKanji(m.surface) || !VoiceFirstKana(voiced) ||
          !(Contains(Known(m.surface), voiced) || (hasSkk && skk.EndsCompound(m.surface, voiced)))) {
        continue;
      }
      m.reading = std::move(voiced);
      changed = true;
    }
    return changed;
  }

  // A word with figures in it, read as a number: whatever comes before is
  // read as a word of its own, and the word after the number is read joined
  // to the number's last term as SKK gives that join (十個 じゅっこ, 四時
  // よじ for 四時間). False when the join is unknown: a number is never read
  // figure by figure.
  bool ReadNumberWord(const std::u32string& text, ReadingProposer& proposer, std::vector<std::string>& readings);
  // How SKK reads the number's last term `lastKanji` joined to the word
  // `after` it.
  std::vector<std::string> Joins(const std::string& lastKanji, const std::string& after);
};

bool ReadingProposer::Parts::ReadNumberWord(const std::u32string& text, ReadingProposer& proposer,
                                            std::vector<std::string>& readings) {
  const size_t first = std::find_if(text.begin(), text.end(), IsDigit) - text.begin();
  size_t end = first;
  while (end < text.size() && IsDigit(text[end])) ++end;
  if (std::find_if(text.begin() + static_cast<std::ptrdiff_t>(end), text.end(), IsDigit) != text.end()) return false;
  std::vector<NumberTerm> terms;
  if (!NumberTerms(Utf8Of(std::u32string_view(text).substr(first, end - first)), terms)) return false;

  std::string before;
  if (first > 0) {
    std::string prefix;
    const std::vector<std::string> read =
        proposer.Candidates(AppendSjis(Utf8Of(std::u32string_view(text).substr(0, first)), prefix) ? prefix : "");
    if (read.empty()) return false;
    before = read.front();
  }
  std::string number;
  for (size_t i = 0; i + 1 < terms.size(); ++i) AppendSjis(terms[i].reading, number);
  const NumberTerm& last = terms.back();
  std::string after;
  if (!AppendSjis(Utf8Of(std::u32string_view(text).substr(end)), after)) return false;
  if (after.empty()) {
    AppendSjis(last.reading, number);
    readings.push_back(before + number);
    return true;
  }
  std::string lastKanji, lastReading;
  if (!AppendSjis(last.kanji, lastKanji) || !AppendSjis(last.reading, lastReading)) return false;
  std::vector<std::string> joined = Joins(lastKanji, after);
  if (joined.empty() && last.figure > 1) {
    // 十 joins alike after any figure: 二十個 as 二 and 十個.
    AppendSjis(kOnes[last.figure], number);
    lastKanji = lastReading = "";
    if (!AppendSjis(kUnitKanji[0], lastKanji) || !AppendSjis(kTens[1], lastReading)) return false;
    joined = Joins(lastKanji, after);
  }
  // First a join where the figure changes its sound before the word's own
  // reading (四年 よねん beside よんねん, 十個 じゅっこ), nearest to the two
  // read apart; then the two read apart; then readings of another kind
  // (三人 みたり).
  const std::vector<std::string> afterReadings = Skk(after);
  const auto kind = [&](const std::string& j) {
    int k = 2;
    for (const std::string& r : afterReadings) {
      if (j == lastReading + r) return 1;
      if (j.size() > r.size() && j.compare(j.size() - r.size(), r.size(), r) == 0) k = 0;
    }
    return k;
  };
  std::vector<std::string> ordered =
      NearestFirst(joined, lastReading + (afterReadings.empty() ? "" : afterReadings[0]));
  std::stable_sort(ordered.begin(), ordered.end(),
                   [&](const std::string& a, const std::string& b) { return kind(a) < kind(b); });
  for (const std::string& j : ordered) {
    if (!Contains(readings, before + number + j)) readings.push_back(before + number + j);
  }
  return !readings.empty();
}

std::vector<std::string> ReadingProposer::Parts::Joins(const std::string& lastKanji, const std::string& after) {
  // The join SKK knows whole (十個).
  std::vector<std::string> joined = Skk(lastKanji + after);
  if (joined.empty() && after.size() > 2 && IsSjisLeadByte(static_cast<unsigned char>(after[0]))) {
    // Or the join with the word's first character (四時 よじ), the rest of
    // the word read as SKK reads the whole word after it (時間 じかん, of
    // which 時 is じ).
    const std::string_view head = std::string_view(after).substr(0, 2);
    const std::vector<std::string> heads = Skk(lastKanji + std::string(head));
    const std::vector<std::string> headAlone = Skk(head);
    for (const std::string& whole : Skk(after)) {
      for (const std::string& h : headAlone) {
        if (whole.compare(0, h.size(), h) != 0) continue;
        for (const std::string& j : heads) {
          if (j.size() > h.size() && j.compare(j.size() - h.size(), h.size(), h) == 0) {
            joined.push_back(j + whole.substr(h.size()));
          }
        }
      }
    }
  }
  return joined;
}

ReadingProposer::ReadingProposer(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}
ReadingProposer::~ReadingProposer() = default;

namespace {

// The analyser refused a dictionary that passed the checks (a version it
// does not know, a category unk.dic lacks, a setting dicrc gets wrong, a
// token that points outside its file). Its message names the places in its
// source it passed through and may be cut before the reason: the file is
// the one the last recognised mark names, or sys.dic.
DictionaryFault AnalyserFault(std::string_view folder, std::string_view message) {
  static constexpr struct {
    const char* mark;
    const char* file;
  } kMarks[] = {
      {"dicrc", "dicrc"},           {"param->load", "dicrc"},       {"format error", "dicrc"},
      {"bos-feature", "dicrc"},     {"sys.dic", "sys.dic"},         {"sysdic", "sys.dic"},
      {"unk.dic", "unk.dic"},       {"unkdic_", "unk.dic"},         {"UNK category", "unk.dic"},
      {"matrix.bin", "matrix.bin"}, {"connector", "matrix.bin"},    {"Transition table", "matrix.bin"},
      {"char.bin", "char.bin"},     {"char_property", "char.bin"}, {"property_", "char.bin"},
  };
  const char* named = "sys.dic";
  size_t latest = 0;
  for (const auto& mark : kMarks) {
    const size_t at = message.rfind(mark.mark);
    if (at != std::string_view::npos && at >= latest) {
      named = mark.file;
      latest = at;
    }
  }
  return {DictionaryProblem::kDamaged, Join(folder, named)};
}

}  // namespace

std::unique_ptr<ReadingProposer> ReadingProposer::Load(const ReadingDictionaries& dictionaries,
                                                       DictionaryFault& fault) {
  fault = CheckIpaDictionary(dictionaries.ipadic);
  if (fault.problem != DictionaryProblem::kNone) return nullptr;
  if (!dictionaries.skk.empty()) {
    fault = CheckWholeFile(dictionaries.skk, kSkkFileLimit);
    if (fault.problem != DictionaryProblem::kNone) return nullptr;
  }
  if (!dictionaries.unidic.empty()) {
    fault = CheckWholeFile(dictionaries.unidic, kUnidicFileLimit);
    if (fault.problem != DictionaryProblem::kNone) return nullptr;
  }
  try {
    auto parts = std::make_unique<Parts>();
    // The dictionary's own settings file stands in for a mecabrc, so that
    // nothing outside the folder is read (no user dictionary either).
    std::string rc = Join(dictionaries.ipadic, "dicrc");
    std::string dir = dictionaries.ipadic;
    std::string program = "lexiforge", r = "-r", d = "-d", noUserDictionary = "--userdic=";
    char* argv[] = {program.data(), r.data(), rc.data(), d.data(), dir.data(), noUserDictionary.data()};
    parts->model = MeCab::createModel(6, argv);
    if (!parts->model) {
      fault = AnalyserFault(dictionaries.ipadic, MeCab::getLastError());
      return nullptr;
    }
    parts->tagger = parts->model->createTagger();
    parts->lattice = parts->model->createLattice();
    if (!parts->tagger || !parts->lattice) {
      fault = AnalyserFault(dictionaries.ipadic, MeCab::getLastError());
      return nullptr;
    }
    // The text dictionaries are optional; one named but not readable is a fault.
    const auto map = [&fault](const std::string& path, std::uintmax_t limit) {
      std::unique_ptr<MappedFile> file = MappedFile::Open(path, limit);
      if (!file) fault = {DictionaryProblem::kUnreadable, path};
      return file;
    };
    if (!dictionaries.skk.empty()) {
      std::unique_ptr<MappedFile> file = map(dictionaries.skk, kSkkFileLimit);
      if (!file) return nullptr;
      parts->skk.Load(std::move(file));
      parts->hasSkk = true;
    }
    if (!dictionaries.unidic.empty()) {
      std::unique_ptr<MappedFile> file = map(dictionaries.unidic, kUnidicFileLimit);
      if (!file) return nullptr;
      parts->unidic.Load(std::move(file));
    }
    std::unique_ptr<ReadingProposer> proposer(new ReadingProposer(std::move(parts)));
    proposer->dictionaries_ = dictionaries;
    return proposer;
  } catch (const std::bad_alloc&) {
    fault = {DictionaryProblem::kTooLarge, dictionaries.skk.empty() ? Join(dictionaries.ipadic, "sys.dic") : dictionaries.skk};
  } catch (...) {
    fault = {DictionaryProblem::kDamaged, Join(dictionaries.ipadic, "sys.dic")};
  }
  return nullptr;
}

bool ReadingProposer::HasSkk() const { return parts_->hasSkk; }
bool ReadingProposer::HasUnidic() const { return !parts_->unidic.Empty(); }

namespace {

// The word in the one form the proposer reads (see NormalizeWordText), in
// code points, UTF-8 and code page 932; false when it is not code page 932
// text or too long for a row.
bool NormalizedWord(std::string_view word, std::u32string& text, std::string& utf8, std::string& sjis) {
  if (word.empty() || word.size() >= kBaseformSize || !ConvertSjisToUtf8(word, utf8)) return false;
  DecodeUtf8(utf8, text);
  NormalizeWordText(text);
  utf8 = Utf8Of(text);
  return ConvertUtf8ToSjis(utf8, sjis) && !sjis.empty();
}

// Adds `reading` to the candidates, while they are fewer than `limit`.
void Add(std::vector<std::string>& readings, const std::string& reading, size_t limit) {
  if (readings.size() < limit && !Contains(readings, reading) && IsWholeReading(reading)) {
    readings.push_back(reading);
  }
}

}  // namespace

// The proposer's own faults end the proposal, never its caller: after one,
// the analyser's state is not trusted again.
bool ReadingProposer::ProposeByAnalyser(std::string_view word, std::string& reading) {
  reading.clear();
  if (failed_ || IsSymbolText(word)) return false;
  try {
    if (ProposeByAnalyserWhole(word, reading)) return true;
  } catch (...) {
    failed_ = true;
  }
  reading.clear();
  return false;
}

bool ReadingProposer::ProposeByAnalyserWhole(std::string_view word, std::string& reading) {
  reading.clear();
  std::u32string text;
  std::string utf8, sjis;
  if (!NormalizedWord(word, text, utf8, sjis)) return false;
  if (AppendKanaReading(sjis, reading)) return IsWholeReading(reading) || (reading.clear(), false);
  std::vector<Analysis> analyses;
  parts_->Analyse(utf8, 1, analyses);
  if (!analyses.empty() && parts_->ReadAnalysis(analyses[0], reading, false)) return true;
  reading.clear();
  return false;
}

std::vector<std::string> ReadingProposer::Candidates(std::string_view word) {
  std::vector<std::string> readings;
  if (failed_ || IsSymbolText(word)) return readings;
  try {
    Rank(word, readings, true);
  } catch (...) {
    failed_ = true;
    readings.clear();
  }
  return readings;
}

// The candidates of `word` best first; with `all` false it stops at the
// first, and asks the analyser for more than its best analysis only where
// the first depends on them.
void ReadingProposer::Rank(std::string_view word, std::vector<std::string>& readings, bool all) {
  readings.clear();
  // Propose takes the first: the others are not checked.
  const size_t limit = all ? kMaxCandidates : 1;
  std::u32string text;
  std::string utf8, sjis, reading;
  if (!NormalizedWord(word, text, utf8, sjis)) return;
  // A word of kana alone is its own reading.
  if (AppendKanaReading(sjis, reading)) {
    Add(readings, reading, limit);
    return;
  }
  if (std::find_if(text.begin(), text.end(), IsDigit) != text.end()) {
    std::vector<std::string> numbers;
    if (parts_->ReadNumberWord(text, *this, numbers)) {
      for (const std::string& n : numbers) Add(readings, n, limit);
    }
    return;
  }

  Parts& p = *parts_;
  std::vector<Analysis> analyses;
  p.Analyse(utf8, all ? kAnalyses : 1, analyses);
  if (analyses.empty()) return;
  const Analysis best = analyses[0];
  std::string first;
  const bool analysed = p.ReadAnalysis(best, first, p.hasSkk);
  const std::vector<std::string> known = p.Skk(sjis);
  const std::vector<std::string> listed = p.Unidic(sjis);

  if (!known.empty() || !listed.empty()) {
    // A dictionary knows the word whole: readings both give first, then
    // those one gives; in each, the analyser's first, then UniDic's in its
    // order (its likeliest first), then SKK's nearest to the analyser's. The
    // compound the analyser puts together from parts misses sound changes at
    // the joins. A reading the analyser guessed for kanji it does not know
    // is no guide, nor, where UniDic's order can stand in, is its reading of
    // the word as a person's name (金 きむ).
    const bool guessed = std::any_of(best.begin(), best.end(), [](const Morpheme& m) { return m.reading.empty(); });
    const bool name = best.size() == 1 && best[0].name && !listed.empty();
    const bool guide = analysed && !guessed && !name;
    std::vector<std::string> order = listed;
    for (const std::string& r : guide ? NearestFirst(known, first) : known) {
      if (!Contains(order, r)) order.push_back(r);
    }
    const auto weight = [&](const std::string& r) {
      return 2 * (Contains(known, r) + Contains(listed, r)) + (guide && r == first);
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](const std::string& a, const std::string& b) { return weight(a) > weight(b); });
    for (const std::string& r : order) Add(readings, r, limit);
  } else {
    int slips = 0;
    const Analysis mended = p.Mended(best, slips);
    std::string fixed;
    const bool mendedRead = slips > 0 && p.ReadAnalysis(mended, fixed, true);
    // A later part SKK lists in its voiced form is a compound's (寿司 in
    // 握り寿司 as ずし): that voicing first.
    Analysis voiced = slips > 0 ? mended : best;
    if (p.Voiced(voiced) && p.ReadAnalysis(voiced, reading, true)) Add(readings, reading, limit);
    // Neither dictionary knows the word and the analyser took it kanji by
    // kanji with each kanji's own word (often a native reading): a word of
    // bare kanji is mostly a Sino-Japanese compound. So is one where it
    // split "々" off, not knowing the word it is in. Not so where a
    // dictionary knows a run of those kanji as one word (駕籠 in 山駕籠):
    // that word is read as they read it.
    const bool loneRepeat =
        std::any_of(best.begin(), best.end(), [](const Morpheme& m) { return m.surface == "\x81\x58"; });
    const bool knownRun = mended.size() < best.size();
    std::string compound;
    if (((analysed && best.size() * 2 == sjis.size()) || loneRepeat) && !knownRun && best.size() >= 2 &&
        IsKanjiAlone(sjis)) {
      // Two kanji read as UniDic's words of the same kanji read them, then
      // each kanji with its reading in SKK's compounds; where the latter is
      // the analyser's reading too, that first.
      const bool read = p.AppendKanjiByKanji(sjis, compound);
      if (!(read && analysed && compound == first)) {
        for (const auto& r : p.PairReadings(sjis, 1)) Add(readings, r.reading, limit);
      }
      if (read) Add(readings, compound, limit);
    }
    if (slips > 0) {
      // The first of the analyser's other analyses that SKK does not
      // contradict, or the first mended by SKK's readings of its parts.
      if (analyses.size() == 1) p.Analyse(utf8, kAnalyses, analyses);
      for (size_t i = 1; i < analyses.size(); ++i) {
        int otherSlips = 0;
        p.Mended(analyses[i], otherSlips);
        if (otherSlips == 0 && p.ReadAnalysis(analyses[i], reading, true)) {
          Add(readings, reading, limit);
          break;
        }
      }
      if (mendedRead) Add(readings, fixed, limit);
    }
  }
  if (analysed) Add(readings, first, limit);
  // Two kanji no dictionary knows together: read as UniDic's words of the
  // same kanji read them, that reading first where it scores above the
  // first found so far, unless the analyser knows the word as one; the next
  // ones as alternatives.
  if (known.empty() && listed.empty()) {
    const std::vector<UnidicReadings::ScoredReading> pairs = p.PairReadings(sjis, SIZE_MAX);
    const bool oneWord = best.size() == 1 && !best[0].unknown;
    if (!pairs.empty() && (readings.empty() || !oneWord) && IsWholeReading(pairs[0].reading)) {
      unsigned long long firstScore = 0;
      for (const auto& r : pairs) {
        if (!readings.empty() && r.reading == readings[0]) firstScore = r.score;
      }
      if (readings.empty() || pairs[0].score > firstScore) {
        readings.erase(std::remove(readings.begin(), readings.end(), pairs[0].reading), readings.end());
        readings.insert(readings.begin(), pairs[0].reading);
        if (readings.size() > limit) readings.pop_back();
      }
    }
    for (size_t i = 0; all && i < pairs.size() && i < kPairReadings; ++i) Add(readings, pairs[i].reading, limit);
  }
  // The analyser's other analyses are alternatives only: a word none of the
  // above reads (Latin letters it does not know) gets none from them.
  if (!all || readings.empty()) return;
  for (size_t i = 1; i < analyses.size(); ++i) {
    if (p.ReadAnalysis(analyses[i], reading, p.hasSkk)) Add(readings, reading, limit);
  }
}

bool ReadingProposer::Propose(std::string_view word, std::string& reading) {
  reading.clear();
  if (failed_ || IsSymbolText(word)) return false;
  try {
    std::vector<std::string> readings;
    Rank(word, readings, false);
    if (!readings.empty()) reading = readings.front();
  } catch (...) {
    failed_ = true;
    reading.clear();
  }
  return !reading.empty();
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
  const std::string unidic = Join(folder, "unidic-readings.txt");
  if (IsFile(unidic)) found.unidic = unidic;
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
