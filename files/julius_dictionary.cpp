#include "files/julius_dictionary.h"

#include <string_view>

#include "convert/julius_phonemes.h"
#include "convert/sjis_text.h"

namespace {

// The word in UTF-8, or nullptr when it is no code page 932 text. A writer
// asks for a row's problem and then writes it: the last word is kept, so it
// is converted once.
const std::string* Utf8Word(std::string_view word) {
  thread_local std::string last;
  thread_local std::string utf8;
  thread_local bool converted = false;
  if (word != last) {
    last.assign(word);
    converted = ConvertSjisToUtf8(word, utf8);
  }
  return converted ? &utf8 : nullptr;
}

}  // namespace

RowProblem JuliusDictionaryRowProblem(const RowTexts& row) {
  const std::string_view word = row.word;
  if (word.empty()) return RowProblem::kEmptyWord;
  if (word.find_first_of("\t\n\r") != std::string_view::npos) return RowProblem::kControlByte;
  if (word.find(' ') != std::string_view::npos || !Utf8Word(word)) return RowProblem::kWordNotInJulius;
  if (row.reading.empty()) return RowProblem::kEmptyReading;
  thread_local std::string phonemes;
  phonemes.clear();
  if (!AppendJuliusPhonemes(row.reading, phonemes)) return RowProblem::kUncoveredReading;
  return RowProblem::kNone;
}

RowProblem AppendJuliusDictionaryRow(const RowTexts& row, std::string& out) {
  if (const RowProblem problem = JuliusDictionaryRowProblem(row); problem != RowProblem::kNone) return problem;
  const std::string* word = Utf8Word(row.word);
  out.append(*word);
  out.append("\t[");
  out.append(*word);
  out.append("]\t");
  AppendJuliusPhonemes(row.reading, out);
  out.push_back('\n');
  return RowProblem::kNone;
}
