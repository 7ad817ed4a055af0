#include "files/text_word_list.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "convert/reading_conversion.h"
#include "convert/sjis_text.h"
#include "files/fresh_table.h"
#include "files/input_file.h"
#include "files/text_file_lines.h"

namespace {

TextEncoding g_encoding = TextEncoding::kAuto;
TextWordListRead g_lastRead;

// An empty reading or baseform is written as this, and read back as empty.
constexpr std::string_view kPlaceholder = "?";

const char* SkipTabs(const char* p, const char* end) {
  while (p < end && *p == '\t') ++p;
  return p;
}

// A file that opens but cannot be read at all (a failing disk, a range
// another program has locked) is a file that cannot be read.
LoadResult CanRead(std::FILE* file) {
  errno = 0;
  const int first = std::fgetc(file);
  if (first == EOF && std::ferror(file)) return LoadFailed(LoadFailure::kReadError, errno);
  if (first != EOF && std::ungetc(first, file) == EOF) return LoadFailed(LoadFailure::kReadError);
  return {};
}

// What the row of a line depends on, kept as the line goes by, however long
// it is: the line up to its first NUL (the splitter stops there), each field
// up to one byte past the 80 it keeps (so that it knows the field was longer
// and where its last whole character ends), one tab for each run of tabs
// between fields, and nothing after the tab that ends the third field. The
// splitter gives the same row from this as from the whole line.
class WordLineKeeper {
 public:
  void Start() {
    kept_.clear();
    fields_ = 0;
    fieldBytes_ = 0;
    betweenFields_ = true;
    done_ = false;
  }

  void Add(std::string_view piece) {
    for (size_t i = 0; i < piece.size() && !done_;) {
      const char c = piece[i];
      if (c == '\0') {
        done_ = true;
      } else if (c == '\t') {
        // Leading tabs, and a run's further tabs, leave no trace.
        if (!betweenFields_) {
          kept_.push_back('\t');
          betweenFields_ = true;
          fieldBytes_ = 0;
          done_ = ++fields_ == 3;
        }
        ++i;
      } else {
        size_t end = i;
        while (end < piece.size() && piece[end] != '\t' && piece[end] != '\0') ++end;
        const size_t room = fieldBytes_ <= kTextFieldLimit ? kTextFieldLimit + 1 - fieldBytes_ : 0;
        const size_t taken = std::min(room, end - i);
        kept_.append(piece.data() + i, taken);
        fieldBytes_ += taken;
        betweenFields_ = false;
        i = end;
      }
    }
  }

  std::string& line() { return kept_; }

 private:
  std::string kept_;
  int fields_ = 0;
  size_t fieldBytes_ = 0;
  bool betweenFields_ = true;
  bool done_ = false;
};

// Each line is parsed once: straight from the block read where it lies
// whole in it, otherwise from what its row depends on. Fails when the file
// could not be read to its end, a row found no memory, or `progress` asked
// to stop.
LoadResult ReadWordLines(std::FILE* file, TextEncoding encoding, WordList list, ProgressReport& progress) {
  try {
    TextFileLines lines(file, encoding);
    WordLineKeeper keeper;
    uint64_t done = 0;
    long lineNumber = 0;
    for (;;) {
      if (!progress.At(done)) return LoadFailed(LoadFailure::kStopped);
      std::string_view line;
      if (lines.NextInBlock(line)) {
        done += line.size() + 1;
      } else {
        keeper.Start();
        ++done;  // the line's end
        if (!lines.Next([&keeper, &done](std::string_view piece) {
              done += piece.size();
              keeper.Add(piece);
            })) {
          break;
        }
        line = keeper.line();
      }
      ++lineNumber;
      std::string_view fields[kWordColumns];
      int found = SplitWordFields(line, fields);
      if (found == 0) continue;
      if (lines.UnheldCharacters()) {
        // The word is not what the file says: its reading is not to be trusted.
        g_lastRead.unheldLines.push_back(lineNumber);
        found = 1;
      }
      std::string_view texts[kWordColumns] = {fields[0], {}, {}};
      char generated[kBaseformSize];
      if (found == 3 && fields[2] != kPlaceholder) texts[2] = fields[2];
      if (found >= 2) {
        if (fields[1] != kPlaceholder) texts[1] = fields[1];
        // An empty reading, or one that is not all hiragana, leaves the
        // baseform empty; the result is of no interest here.
        if (found == 2) {
          size_t length = 0;
          ConvertReadingToBaseform(texts[1], generated, length);
          texts[2] = std::string_view(generated, length);
        }
      }
      if (!AppendWordRowTexts(list, texts)) return LoadFailed(LoadFailure::kNoMemory);
    }
    if (lines.Failed()) return LoadFailed(LoadFailure::kReadError, lines.Error());
    if (!progress.Finished()) return LoadFailed(LoadFailure::kStopped);
    return {};
  } catch (const std::bad_alloc&) {
    return LoadFailed(LoadFailure::kNoMemory);
  }
}

// Whether a byte of `text` lies below 0x20, eight bytes at a time: taking
// 0x20 from each byte of a word sets the top bit of a byte below 0x20 that
// had it clear, and of no byte when none lies below (a borrow only runs on
// from such a byte). The last word may overlap the one before.
bool HasByteBelowSpace(std::string_view text) {
  constexpr uint64_t kOnes = 0x0101010101010101, kTops = 0x8080808080808080;
  const auto below = [&](size_t at) {
    uint64_t word;
    std::memcpy(&word, text.data() + at, sizeof word);
    return ((word - 0x20 * kOnes) & ~word & kTops) != 0;
  };
  if (text.size() < sizeof(uint64_t)) {
    for (const char c : text) {
      if (static_cast<unsigned char>(c) < 0x20) return true;
    }
    return false;
  }
  for (size_t at = 0; at + sizeof(uint64_t) < text.size(); at += sizeof(uint64_t)) {
    if (below(at)) return true;
  }
  return below(text.size() - sizeof(uint64_t));
}

RowProblem FieldProblem(std::string_view field) {
  if (field.size() > kTextFieldLimit) return RowProblem::kFieldTooLong;
  // The reader splits at tabs, ends lines at LF and the file at Ctrl-Z; a
  // field holding any of them would not come back whole. A CR comes back: the
  // reader drops only the one just before each line's LF, and every line
  // written ends in CR LF. All three lie below 0x20, which most fields never
  // reach.
  if (!HasByteBelowSpace(field)) return RowProblem::kNone;
  for (const char c : field) {
    if (c == '\t' || c == '\n' || c == '\x1A') return RowProblem::kControlByte;
  }
  return RowProblem::kNone;
}

}  // namespace

// A field is cut at the last whole character within its 80 bytes: a lone
// lead byte would corrupt the text and make a reading unconvertible.
int SplitWordFields(std::string_view line, std::string_view (&fields)[3]) {
  const char* pos = line.data();
  const char* end = pos + line.size();
  if (const void* nul = std::memchr(pos, '\0', line.size())) end = static_cast<const char*>(nul);
  pos = SkipTabs(pos, end);
  if (pos == end) return 0;
  int found = 0;
  for (;;) {
    const auto* tab = static_cast<const char*>(std::memchr(pos, '\t', static_cast<size_t>(end - pos)));
    const std::string_view field(pos, static_cast<size_t>((tab ? tab : end) - pos));
    fields[found] = field.substr(0, SjisPrefixLength(field, kTextFieldLimit));
    ++found;
    // Whatever follows the third field's tab is ignored.
    if (!tab || found == 3) return found;
    pos = SkipTabs(tab + 1, end);
    // A line that ends in tabs after its word or reading gives no row.
    if (pos == end) return 0;
  }
}

int SplitWordLine(const char* line, char (&word)[kWordFieldSize], char (&reading)[kWordFieldSize],
                  char (&baseform)[kWordFieldSize]) {
  std::string_view text(line);
  if (text.ends_with('\n')) text.remove_suffix(1);
  std::string_view fields[kWordColumns];
  const int found = SplitWordFields(text, fields);
  char(*buffers[])[kWordFieldSize] = {&word, &reading, &baseform};
  for (int i = 0; i < found; ++i) CopySjisText(*buffers[i], fields[i]);
  return found;
}

void SetTextWordListEncoding(TextEncoding encoding) { g_encoding = encoding; }

const TextWordListRead& LastTextWordListRead() { return g_lastRead; }

LoadResult LoadTextWordList(WordList list, const char* path, bool append, const LoadProgress& progress) {
  g_lastRead = {};
  LoadResult result;
  InputFile file = OpenInputFile(path, result);
  if (!file) return result;
  ProgressReport report(progress, InputFileSize(file.get()));
  if (!RewindInputFile(file.get())) return LoadFailed(LoadFailure::kReadError, errno);
  if (result = CanRead(file.get()); !result) return result;
  TextEncoding encoding = g_encoding;
  if (encoding == TextEncoding::kAuto) {
    int error = 0;
    try {
      if (!DetectTextEncoding(file.get(), encoding, error)) return LoadFailed(LoadFailure::kReadError, error);
    } catch (const std::bad_alloc&) {
      return LoadFailed(LoadFailure::kNoMemory);
    }
  }
  g_lastRead.utf8 = encoding == TextEncoding::kUtf8;
  return LoadThroughFreshTable(list, append,
                               [&](WordList fresh) { return ReadWordLines(file.get(), encoding, fresh, report); });
}

RowProblem TextWordListRowProblem(const RowTexts& row) {
  const std::string_view word = row.word, reading = row.reading, baseform = row.baseform;
  if (word.empty()) return RowProblem::kEmptyWord;
  for (std::string_view field : {word, reading, baseform}) {
    if (const RowProblem p = FieldProblem(field); p != RowProblem::kNone) return p;
  }
  if (reading == kPlaceholder || baseform == kPlaceholder) return RowProblem::kPlaceholderText;
  return RowProblem::kNone;
}

// An empty reading or baseform is written "?", so that a row with a reading
// but no baseform does not get one generated when it is read again; a row
// with neither is written as the word alone.
void AppendTextWordListRow(const RowTexts& row, std::string& out) {
  const std::string_view reading = row.reading, baseform = row.baseform;
  out.append(row.word);
  if (!reading.empty() || !baseform.empty()) {
    out.push_back('\t');
    out.append(reading.empty() ? kPlaceholder : reading);
    out.push_back('\t');
    out.append(baseform.empty() ? kPlaceholder : baseform);
  }
  out.append("\r\n");
}
