// A table made from any bytes, written in each format and read back: every
// row the format can hold comes back byte for byte and in order, every other
// row is left out, and FindUnwritableRows counts exactly those and names the
// first.
//
// The bytes are fields separated by NULs, three to a row (word, reading,
// baseform). A baseform field that starts with the byte 0x01 holds phoneme
// codes instead, expanded as a pool file's are, so that rows of real symbols
// are common.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert/phoneme_codes.h"
#include "convert/sjis_text.h"
#include "fuzz/fuzz_support.h"
#include "files/pool_file.h"
#include "files/text_word_list.h"
#include "files/word_file_writer.h"

namespace {

void FillTable(WordList list, std::string_view bytes) {
  std::string_view fields[3];
  size_t found = 0;
  for (bool more = !bytes.empty(); more;) {
    const size_t nul = bytes.find('\0');
    fields[found++] = bytes.substr(0, nul);
    more = nul != std::string_view::npos;
    if (more) bytes.remove_prefix(nul + 1);
    if (found < 3 && more) continue;
    WordEntry entry{};
    CopySjisText(entry.word, fields[0]);
    if (found > 1) CopySjisText(entry.reading, fields[1]);
    if (found > 2 && fields[2].starts_with('\x01')) {
      ExpandPhonemeCodes(std::string(fields[2].substr(1)).c_str(), entry.baseform);
    } else if (found > 2) {
      CopySjisText(entry.baseform, fields[2]);
    }
    InsertWordRow(list, RowCount(list), entry);
    found = 0;
  }
}

void CheckRoundTrip(WordList table, WordFileFormat format) {
  std::vector<Row> writable;
  int unwritable = 0, firstUnwritable = -1;
  for (int i = 0; i < RowCount(table); ++i) {
    WordEntry entry;
    GetWholeWordRow(table, i, entry);
    if (RowProblemFor(format, entry) == RowProblem::kNone) {
      writable.push_back(RowOf(entry));
    } else if (unwritable++ == 0) {
      firstUnwritable = i;
    }
  }
  const UnwritableRows found = FindUnwritableRows(table, format);
  Require(found.count == unwritable && (found.first.empty() ? -1 : found.first[0].index) == firstUnwritable,
          "unwritable rows miscounted");

  const bool pool = format == WordFileFormat::kPoolFile;
  const std::string path = FuzzFilePath(pool ? "out.ppl" : "out.txt");
  Require(SaveWordFile(table, path.c_str(), format) == SaveResult::kSaved, "not saved");
  FuzzWordList back;
  const bool read = static_cast<bool>(pool ? LoadPoolFile(back, path.c_str()) : LoadTextWordList(back, path.c_str(), false));
  Require(read, "the file written cannot be read");
  Require(RowsOf(back) == writable, "rows read back differ from the rows written");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The rows are checked against the file's bytes as Shift-JIS; what UTF-8
  // detection does is tested on its own.
  SetTextWordListEncoding(TextEncoding::kShiftJis);
  FuzzWordList table;
  FillTable(table, {reinterpret_cast<const char*>(data), size});
  CheckRoundTrip(table, WordFileFormat::kTextWordList);
  CheckRoundTrip(table, WordFileFormat::kPoolFile);
  return 0;
}
