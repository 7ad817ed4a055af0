// Text word lists as the reader takes them back: WORD<TAB>READING<TAB>BASEFORM
// and CR LF per row. An empty reading or baseform is written "?", so that a
// row with a reading but no baseform does not get one generated when it is
// read again; a row with neither is written as the word alone.

#include <cstring>
#include <string_view>

#include "import/text_word_list.h"
#include "import/word_file_writer.h"

namespace {

constexpr std::string_view kPlaceholder = "?";

RowProblem FieldProblem(std::string_view field) {
  if (field.size() > kTextFieldLimit) return RowProblem::kFieldTooLong;
  // The reader splits at tabs, ends lines at LF (and CR LF) and the file at
  // Ctrl-Z; a field holding any of them would not come back whole.
  if (field.find_first_of("\t\r\n\x1A") != std::string_view::npos) return RowProblem::kControlByte;
  return RowProblem::kNone;
}

}  // namespace

RowProblem TextWordListRowProblem(const WordEntry& row) {
  const std::string_view word = row.word, reading = row.reading, baseform = row.baseform;
  if (word.empty()) return RowProblem::kEmptyWord;
  for (std::string_view field : {word, reading, baseform}) {
    if (const RowProblem p = FieldProblem(field); p != RowProblem::kNone) return p;
  }
  if (reading == kPlaceholder || baseform == kPlaceholder) return RowProblem::kPlaceholderText;
  return RowProblem::kNone;
}

void AppendTextWordListRow(const WordEntry& row, std::string& out) {
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
