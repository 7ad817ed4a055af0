// Pool files as the reader takes them back: the header, then per row the
// word, the reading and the baseform coded one byte per phoneme symbol, each
// NUL-terminated.

#include <string_view>

#include "convert/phoneme_codes.h"
#include "import/pool_file.h"
#include "import/word_file_writer.h"

RowProblem PoolFileRowProblem(const WordEntry& row) {
  const std::string_view baseform = row.baseform;
  if (baseform.empty()) return RowProblem::kEmptyBaseform;
  // Codes carry no spaces: the reader puts exactly one between symbols, so
  // only such a baseform comes back as it was.
  if (baseform.front() == ' ' || baseform.back() == ' ' || baseform.find("  ") != std::string_view::npos) {
    return RowProblem::kBadSpacing;
  }
  for (size_t start = 0; start < baseform.size();) {
    size_t end = baseform.find(' ', start);
    if (end == std::string_view::npos) end = baseform.size();
    if (PhonemeCodeOf(baseform.substr(start, end - start)) == 0) return RowProblem::kUnknownSymbol;
    start = end + 1;
  }
  // Every field of a row is under 256 bytes, and so is the coded baseform,
  // at most one code per two bytes of text: nothing here can be too long.
  return RowProblem::kNone;
}

void AppendPoolFileRecord(const WordEntry& row, std::string& out) {
  out.append(row.word);
  out.push_back('\0');
  out.append(row.reading);
  out.push_back('\0');
  const std::string_view baseform = row.baseform;
  for (size_t start = 0; start < baseform.size();) {
    size_t end = baseform.find(' ', start);
    if (end == std::string_view::npos) end = baseform.size();
    out.push_back(static_cast<char>(PhonemeCodeOf(baseform.substr(start, end - start))));
    start = end + 1;
  }
  out.push_back('\0');
}
