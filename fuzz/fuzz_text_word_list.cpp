// Any bytes as a text word list, read from a file in replace mode: the old
// rows go, and the rows are exactly those of the file's lines in order. The
// file ends at its first Ctrl-Z; LF ends a line, and so does CR LF. Each
// line's row is worked out here without the reader's own splitter: the text
// ends at a NUL, runs of tabs separate up to three fields, each cut to 80
// bytes of whole characters; "?" alone stands for an empty reading or
// baseform, and a line of word and reading gets its baseform generated,
// which must be well formed.
//
// The reader takes the file in blocks of 64 KiB. An input whose first byte is
// 0xFF starts with a line padded so that the block boundary falls on the
// byte its second byte names, to test lines, CR LF pairs and Ctrl-Z across
// two blocks.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert/reading_conversion.h"
#include "fuzz/baseform_checks.h"
#include "fuzz/fuzz_support.h"
#include "files/text_word_list.h"

namespace {

constexpr size_t kReaderBlock = 64 * 1024;

std::string_view NoPlaceholder(std::string_view field) { return field == "?" ? std::string_view() : field; }

// The row one line (without its line end) gives, if any; `generated` tells
// whether its baseform came from the reading.
bool ExpectedRow(std::string_view line, Row& row, bool& generated) {
  line = line.substr(0, line.find('\0'));
  std::string_view fields[3];
  int found = 0;
  size_t pos = line.find_first_not_of('\t');
  if (pos == std::string_view::npos) return false;
  for (;;) {
    const size_t tab = line.find('\t', pos);
    const size_t length = tab == std::string_view::npos ? std::string_view::npos : tab - pos;
    fields[found++] = TextFieldCut(line.substr(pos, length));
    if (tab == std::string_view::npos || found == 3) break;
    pos = line.find_first_not_of('\t', tab);
    if (pos == std::string_view::npos) return false;  // tabs after the word or the reading end the line
  }
  row = {std::string(fields[0]), std::string(NoPlaceholder(fields[1])), std::string(NoPlaceholder(fields[2]))};
  generated = found == 2;
  if (generated) {
    char converted[kBaseformSize] = {};
    ConvertReadingToBaseform(row[1].c_str(), converted);
    row[2] = converted;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The rows are checked against the file's bytes as Shift-JIS; what UTF-8
  // detection does is tested on its own.
  SetTextWordListEncoding(TextEncoding::kShiftJis);
  std::string file(reinterpret_cast<const char*>(data), size);
  if (size >= 2 && data[0] == 0xFF) file = std::string(kReaderBlock - data[1], 'p') + file.substr(2);

  FuzzWordList list;
  AppendRow(list, kOldRow);
  Require(static_cast<bool>(LoadTextWordList(list, WriteFuzzFile("list.txt", file).c_str(), false)), "an existing file not read");
  const std::vector<Row> rows = RowsOf(list);

  std::string_view text(file);
  text = text.substr(0, text.find('\x1A'));
  size_t next = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t lf = text.find('\n', start);
    std::string line(text.substr(start, lf - start));
    if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.pop_back();
    start = lf == std::string_view::npos ? text.size() : lf + 1;
    Row expected;
    bool generated = false;
    if (!ExpectedRow(line, expected, generated)) continue;
    Require(next < rows.size(), "a line's row is missing");
    Require(rows[next] == expected, "a row differs from its line");
    if (generated) CheckBaseformShape(rows[next][2].c_str(), kBaseformSize);
    ++next;
  }
  Require(next == rows.size(), "more rows than lines");
  return 0;
}
