#include "import/text_word_list.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "convert/reading_conversion.h"
#include "convert/sjis_text.h"
#include "import/input_file.h"
#include "import/text_file_lines.h"

namespace {

char* SkipTabs(char* p, const char* end) {
  while (p < end && *p == '\t') ++p;
  return p;
}

bool IsPlaceholder(const char* field) { return field[0] == '?' && field[1] == '\0'; }

// A file that opens but cannot be read at all (a failing disk, a range
// another program has locked) is a file that cannot be opened: in replace
// mode the old rows must not go for a file that gives nothing.
bool CanRead(std::FILE* file) {
  const int first = std::fgetc(file);
  if (first == EOF) return !std::ferror(file);
  return std::ungetc(first, file) != EOF;
}

}  // namespace

// A field is cut at the last whole character within its 80 bytes: a lone
// lead byte would corrupt the text and make a reading unconvertible.
int SplitWordLine(char* line, char (&word)[kWordFieldSize], char (&reading)[kWordFieldSize],
                  char (&baseform)[kWordFieldSize]) {
  char* end = line + std::strlen(line);
  if (end > line && end[-1] == '\n') *--end = '\0';
  char* pos = SkipTabs(line, end);
  if (pos == end) return 0;

  char(*fields[])[kWordFieldSize] = {&word, &reading, &baseform};
  int found = 0;
  for (;;) {
    char* tab = static_cast<char*>(std::memchr(pos, '\t', static_cast<size_t>(end - pos)));
    char* fieldEnd = tab ? tab : end;
    *fieldEnd = '\0';
    CopySjisText(*fields[found], std::string_view(pos, static_cast<size_t>(fieldEnd - pos)), kTextFieldLimit);
    ++found;
    // Whatever follows the third field's tab is ignored.
    if (!tab || found == 3) return found;
    pos = SkipTabs(tab + 1, end);
    // A line that ends in tabs after its word or reading gives no row.
    if (pos == end) return 0;
  }
}

// Each line is read whole and parsed once, however long: a line cut into
// pieces would give rows made of its tail.
bool LoadTextWordList(WordList list, const char* path, bool append) {
  InputFile file = OpenInputFile(path);
  if (!file || !CanRead(file.get())) return false;
  if (!append) ClearWordList(list);
  int index = RowCount(list);
  try {
    TextFileLines lines(file.get());
    std::string line;
    while (lines.Next(line)) {
      char word[kWordFieldSize] = {};
      char reading[kWordFieldSize] = {};
      char baseform[kWordFieldSize] = {};
      const int fields = SplitWordLine(line.data(), word, reading, baseform);
      if (fields == 0) continue;
      WordEntry entry{};
      if (fields == 3 && !IsPlaceholder(baseform)) CopySjisText(entry.baseform, baseform);
      if (fields >= 2) {
        if (!IsPlaceholder(reading)) CopySjisText(entry.reading, reading);
        // An empty reading, or one that is not all hiragana, leaves the
        // baseform empty; the result is of no interest here.
        if (fields == 2) ConvertReadingToBaseform(entry.reading, entry.baseform);
      }
      CopySjisText(entry.word, word);
      InsertWordRow(list, index++, entry);
    }
  } catch (const std::bad_alloc&) {
    // A line that outgrows memory ends the file as a read error does; the
    // rows read so far stay.
  }
  return true;
}
